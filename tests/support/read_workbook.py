# Reads an Excel 97 workbook back with Debian's xlrd and prints, as JSON:
# "log", what xlrd had to say (empty for a sound file but for the three notes
# it makes about any file at verbosity 1); the Workbook stream's "sha1"; the
# header's "difat" sector count; and, for a workbook ("book" as the second
# argument), "rows": each sheet's name after "sheet:", then its rows, kind:value
# cells " | " apart.
#
# With formatting_info xlrd also checks the XFs and each sheet's DIMENSIONS.
# Its compound file reader marks each sector it takes for the DIFAT (1), the
# FAT (2), the directory or the stream, but reads neither the FAT's entries for
# the DIFAT and FAT sectors nor those past the end of the file, and it takes
# records of any length: this script checks those itself.
import hashlib, io, json, re, struct, sys, xlrd, xlrd.compdoc
log = io.StringIO()
doc = xlrd.compdoc.CompDoc(open(sys.argv[1], 'rb').read(), logfile=log)
stream = doc.get_named_stream('Workbook')
marks = {1: -4, 2: -3}
misfiled = [i for i, seen in enumerate(doc.seen) if seen in marks and doc.SAT[i] != marks[seen]]
misfiled += [i for i in range(len(doc.seen), len(doc.SAT)) if doc.SAT[i] != -1]
if doc.seen.count(0) or misfiled:
    print('%d sectors unused, %d misfiled' % (doc.seen.count(0), len(misfiled)), file=log)
out = {'sha1': hashlib.sha1(stream).hexdigest(), 'difat': struct.unpack_from('<i', doc.mem, 72)[0]}
if sys.argv[2] == 'book':
    pos = 0
    while pos + 4 <= len(stream):
        kind, size = struct.unpack_from('<HH', stream, pos)
        if size > 8224:
            print('record 0x%04x at %d holds %d bytes' % (kind, pos, size), file=log)
        pos += 4 + size
    book = xlrd.open_workbook(sys.argv[1], logfile=log, verbosity=1, formatting_info=True)
    def cell(c):
        if c.ctype == xlrd.XL_CELL_DATE:
            return 'date:' + xlrd.xldate_as_datetime(c.value, book.datemode).date().isoformat()
        return '%s:%s' % (xlrd.sheet.ctype_text[c.ctype], c.value)
    rows = out['rows'] = []
    for s in book.sheets():
        rows += ['sheet:' + s.name] + [' | '.join(map(cell, s.row(r))) for r in range(s.nrows)]
notes = re.compile(r"CODEPAGE: codepage 1200 -> encoding 'utf_16_le'\n|DATEMODE: datemode 0\n"
                   r"|\nColour indexes used:\n\[[0-9, ]*\]\n\n")
out['log'] = notes.sub('', log.getvalue())
# One write: the output may be unbuffered, and it runs to megabytes.
sys.stdout.write(json.dumps(out))
