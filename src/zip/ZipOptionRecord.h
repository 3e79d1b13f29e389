#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// The settings handed to the zip library, in the library's own 128-byte
// layout: 32-bit little-endian fields, flags stored as 1 or 0. Fields marked
// "always 0" belong to options the component never sets (encryption,
// comments, appending, updating, deleting, line-end conversion); they keep
// their places so that every field sits at its offset.
//
// The three text fields at offsets 0, 4 and 8 held 32-bit pointers to
// zero-terminated texts on the system this layout comes from. A 64-bit
// pointer does not fit them, so they hold a handle instead: the number of a
// text in the table handed to the library together with the record, counted
// from 1. Handle 0 stands for a null pointer, which is also what an empty
// text becomes.
struct ZipOptionRecord
{
    int32_t textOption0 = 0;      // always 0
    int32_t basePath = 0;         // handle of the base folder text
    int32_t textOption8 = 0;      // always 0
    int32_t reserved12 = 0;
    int32_t reserved16 = 0;
    int32_t encrypt = 0;          // always 0
    int32_t systemAndHidden = 0;
    int32_t volumeLabel = 0;      // always 0
    int32_t reserved32 = 0;
    int32_t noFolderEntries = 0;
    int32_t reserved40 = 0;
    int32_t reserved44 = 0;
    int32_t verbose = 0;
    int32_t quiet = 0;
    int32_t crlfToLf = 0;         // always 0
    int32_t lfToCrlf = 0;         // always 0
    int32_t noFolderNames = 0;
    int32_t allowAppend = 0;      // always 0
    int32_t reserved72 = 0;
    int32_t reserved76 = 0;
    int32_t deleteEntries = 0;    // always 0
    int32_t update = 0;           // always 0
    int32_t freshen = 0;          // always 0
    int32_t reserved92 = 0;
    int32_t reserved96 = 0;
    int32_t askComment = 0;       // always 0
    int32_t reserved104 = 0;
    int32_t reserved108 = 0;
    int32_t reserved112 = 0;
    int32_t recurse = 0;          // 0 none, 2 recurse into subfolders
    int32_t reserved120 = 0;
    uint8_t reserved124 = 0;
    uint8_t padding[3] = {};
};

static_assert(std::endian::native == std::endian::little, "the record's fields are little-endian");
static_assert(sizeof(ZipOptionRecord) == 128);
static_assert(offsetof(ZipOptionRecord, textOption0) == 0);
static_assert(offsetof(ZipOptionRecord, basePath) == 4);
static_assert(offsetof(ZipOptionRecord, textOption8) == 8);
static_assert(offsetof(ZipOptionRecord, reserved12) == 12);
static_assert(offsetof(ZipOptionRecord, reserved16) == 16);
static_assert(offsetof(ZipOptionRecord, encrypt) == 20);
static_assert(offsetof(ZipOptionRecord, systemAndHidden) == 24);
static_assert(offsetof(ZipOptionRecord, volumeLabel) == 28);
static_assert(offsetof(ZipOptionRecord, reserved32) == 32);
static_assert(offsetof(ZipOptionRecord, noFolderEntries) == 36);
static_assert(offsetof(ZipOptionRecord, reserved40) == 40);
static_assert(offsetof(ZipOptionRecord, reserved44) == 44);
static_assert(offsetof(ZipOptionRecord, verbose) == 48);
static_assert(offsetof(ZipOptionRecord, quiet) == 52);
static_assert(offsetof(ZipOptionRecord, crlfToLf) == 56);
static_assert(offsetof(ZipOptionRecord, lfToCrlf) == 60);
static_assert(offsetof(ZipOptionRecord, noFolderNames) == 64);
static_assert(offsetof(ZipOptionRecord, allowAppend) == 68);
static_assert(offsetof(ZipOptionRecord, reserved72) == 72);
static_assert(offsetof(ZipOptionRecord, reserved76) == 76);
static_assert(offsetof(ZipOptionRecord, deleteEntries) == 80);
static_assert(offsetof(ZipOptionRecord, update) == 84);
static_assert(offsetof(ZipOptionRecord, freshen) == 88);
static_assert(offsetof(ZipOptionRecord, reserved92) == 92);
static_assert(offsetof(ZipOptionRecord, reserved96) == 96);
static_assert(offsetof(ZipOptionRecord, askComment) == 100);
static_assert(offsetof(ZipOptionRecord, reserved104) == 104);
static_assert(offsetof(ZipOptionRecord, reserved108) == 108);
static_assert(offsetof(ZipOptionRecord, reserved112) == 112);
static_assert(offsetof(ZipOptionRecord, recurse) == 116);
static_assert(offsetof(ZipOptionRecord, reserved120) == 120);
static_assert(offsetof(ZipOptionRecord, reserved124) == 124);
static_assert(offsetof(ZipOptionRecord, padding) == 125);
