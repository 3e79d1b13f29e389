#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Every Unicode blank, a no-break space pasted from a web page among them,
// but the carriage return, which ends the number as it ends a line.
bool isIgnoredBlank(QChar c) { return c.isSpace() && c != u'\r'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The longest prefix that makes a number, in the form from_chars reads.
// `consumed` tells how many characters of the text (blanks included) it took.
std::string leadingNumber(const QString &text, qsizetype *consumed, bool skipInnerBlanks)
{
    std::string number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (skipInnerBlanks && i < n && isIgnoredBlank(text[i]))
            ++i;
    };
    qsizetype end = 0;
    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool digits = false;
    auto takeDigits = [&] {
        for (skipBlanks(); i < n && isDigit(text[i]); skipBlanks()) {
            number += char(text[i].unicode());
            digits = true;
            ++i;
            end = i;
        }
    };
    takeDigits();
    if (i < n && text[i] == u'.') {
        ++i;
        number += '.';
        if (digits)
            end = i;
        takeDigits();
    }
    if (!digits) {
        *consumed = 0;
        return {};
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        while (skipInnerBlanks && j < n && isIgnoredBlank(text[j]))
            ++j;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        bool expDigits = false;
        for (; j < n; ++j) {
            if (isDigit(text[j])) {
                exponent += char(text[j].unicode());
                expDigits = true;
                end = j + 1;
            } else if (!(skipInnerBlanks && isIgnoredBlank(text[j]))) {
                break;
            }
        }
        if (expDigits)
            number += exponent;
    }
    *consumed = end;
    return number;
}

std::optional<double> parse(const std::string &number)
{
    double value = 0;
    const char *first = number.data();
    const char *last = first + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The 15 significant digits of a finite value and its decimal exponent:
// value = 0.d1d2...d15 * 10^(exponent + 1), the digits as characters.
struct Digits15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Digits15 digits15(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
    std::string text(buffer, result.ptr);
    Digits15 d;
    std::size_t pos = 0;
    if (text[0] == '-') {
        d.negative = true;
        pos = 1;
    }
    const std::size_t e = text.find('e');
    for (std::size_t k = pos; k < e; ++k)
        if (text[k] != '.')
            d.digits += text[k];
    d.exponent = std::stoi(text.substr(e + 1));
    return d;
}

bool allZero(const std::string &digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

} // namespace

namespace NumberText {

double read(const QString &text)
{
    qsizetype consumed = 0;
    const std::string number = leadingNumber(text, &consumed, true);
    if (number.empty())
        return 0;
    return parse(number).value_or(0);
}

std::optional<double> readPlain(const QString &text)
{
    // Blanks may lead, and any white space, a line's end among it, may follow:
    // then read() takes exactly this number too.
    qsizetype first = 0, last = text.size();
    while (first < last && isIgnoredBlank(text[first]))
        ++first;
    while (last > first && text[last - 1].isSpace())
        --last;
    const QString trimmed = text.sliced(first, last - first);
    qsizetype consumed = 0;
    const std::string number = leadingNumber(trimmed, &consumed, false);
    if (number.empty() || consumed != trimmed.size())
        return std::nullopt;
    return parse(number);
}

double round15(double value)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
    double rounded = value;
    std::from_chars(buffer, result.ptr, rounded);
    return rounded;
}

bool isMoney(double value)
{
    if (!std::isfinite(value) || std::abs(value) > 1e12)
        return false;
    const QString text = shortest(value);
    const qsizetype point = text.indexOf(u'.');
    return !text.contains(u'E') && (point < 0 || text.size() - point - 1 <= 2);
}

QString moneyRule()
{
    return QStringLiteral("An amount can have at most two decimals and must lie between "
                          "-1000000000000 and 1000000000000.");
}

QString shortest(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    Digits15 d = digits15(value);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    std::string out = d.negative ? "-" : "";
    const int intDigits = d.exponent + 1;
    if (d.exponent >= 15 || d.exponent < -5) {
        // Out of any money range: keep the number readable with an exponent.
        out += d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            out += "." + d.digits.substr(1);
        out += d.exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(d.exponent);
        out += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else if (intDigits <= 0) {
        out += "0." + std::string(-intDigits, '0') + d.digits;
    } else if (std::size_t(intDigits) >= d.digits.size()) {
        out += d.digits + std::string(intDigits - d.digits.size(), '0');
    } else {
        out += d.digits.substr(0, intDigits) + "." + d.digits.substr(intDigits);
    }
    return QString::fromStdString(out);
}

QString twoDecimals(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Rounding works on the 15 significant digits, so that 1.005, which is
    // stored a hair below itself, still shows as 1.01 as it was typed.
    const Digits15 d = digits15(value);
    const int keep = d.exponent + 1 + 2; // digits up to the second decimal
    std::string kept;
    if (keep >= 0) {
        kept = d.digits.substr(0, std::min<std::size_t>(keep, d.digits.size()));
        kept += std::string(std::max<int>(0, keep - int(d.digits.size())), '0');
        if (std::size_t(keep) < d.digits.size() && d.digits[keep] >= '5') {
            int k = int(kept.size()) - 1;
            while (k >= 0 && kept[k] == '9')
                kept[k--] = '0';
            if (k >= 0)
                ++kept[k];
            else
                kept.insert(kept.begin(), '1');
        }
    }
    if (kept.size() < 3)
        kept.insert(0, 3 - kept.size(), '0');
    const std::string sign = d.negative && !allZero(kept) ? "-" : "";
    const std::string text =
        sign + kept.substr(0, kept.size() - 2) + "." + kept.substr(kept.size() - 2);
    return QString::fromStdString(text);
}

} // namespace NumberText
