#include "Protocol.h"

#include <array>

namespace relayhub {

namespace {
// Code points of bytes 0x80..0x9F; undefined ones keep their value.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Byte of every UTF-16 code unit, -1 where there is none. A table, because
// pieces are converted a character at a time and their bytes are random.
const std::array<qint16, 65536>& byteTable() {
    static const std::array<qint16, 65536> table = [] {
        std::array<qint16, 65536> t;
        t.fill(-1);
        for (int b = 0; b < 256; ++b)
            t[(b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : b] = qint16(b);
        return t;
    }();
    return table;
}
} // namespace

QString RequestBuild(const QStringList& fields, bool trailingSeparator) {
    QString out;
    qsizetype size = fields.size() + 1;
    for (const QString& f : fields)
        size += f.size();
    out.reserve(size);
    for (const QString& f : fields) {
        out += kSeparator;
        out += f;
    }
    if (trailingSeparator) out += kSeparator;
    return out;
}

QStringList RequestSplit(const QString& request, int maxFields) {
    QStringList fields;
    if (!request.startsWith(kSeparator)) return fields;
    qsizetype from = 1;
    while (true) {
        if (maxFields > 0 && fields.size() == maxFields - 1) {
            fields.append(request.mid(from));
            return fields;
        }
        const qsizetype at = request.indexOf(kSeparator, from);
        if (at < 0) {
            fields.append(request.mid(from));
            return fields;
        }
        fields.append(request.mid(from, at - from));
        from = at + 1;
    }
}

QString BytesToText(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto v = static_cast<unsigned char>(bytes[i]);
        out[i] = (v >= 0x80 && v <= 0x9F) ? QChar(kHigh[v - 0x80]) : QChar(v);
    }
    return text;
}

QByteArray TextToBytes(const QString& text, bool* ok) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const auto& table = byteTable();
    bool good = true;
    char* out = bytes.data();
    const ushort* in = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qint16 b = table[in[i]];
        good &= b >= 0;
        out[i] = b < 0 ? '?' : char(b);
    }
    if (ok) *ok = good;
    return bytes;
}

QByteArray WireEncode(const QString& text) {
    QByteArray out(text.size() * 3, Qt::Uninitialized);
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    const ushort* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = p[i];
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
            continue;
        }
        if (c < 0x800) {
            *o++ = static_cast<unsigned char>(0xC0 | (c >> 6));
            *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (p[++i] - 0xDC00);
                *o++ = static_cast<unsigned char>(0xF0 | (c >> 18));
                *o++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
                *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
                *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
                continue;
            }
            *o++ = '?'; // as Qt writes a lone surrogate
            continue;
        }
        *o++ = static_cast<unsigned char>(0xE0 | (c >> 12));
        *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
    out.truncate(reinterpret_cast<char*>(o) - out.data());
    return out;
}

QString WireDecode(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    auto* o = reinterpret_cast<char16_t*>(out.data());
    const auto* d = reinterpret_cast<const unsigned char*>(data);
    auto cont = [&](qsizetype at) { return at < size && (d[at] & 0xC0) == 0x80; };
    for (qsizetype i = 0; i < size;) {
        const unsigned char b = d[i];
        if (b < 0x80) {
            *o++ = b;
            ++i;
        } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
            *o++ = char16_t(((b & 0x1F) << 6) | (d[i + 1] & 0x3F));
            i += 2;
        } else if ((b & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2) && !(b == 0xE0 && d[i + 1] < 0xA0) &&
                   !(b == 0xED && d[i + 1] >= 0xA0)) {
            *o++ = char16_t(((b & 0x0F) << 12) | ((d[i + 1] & 0x3F) << 6) | (d[i + 2] & 0x3F));
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3) &&
                   !(b == 0xF0 && d[i + 1] < 0x90) && !(b == 0xF4 && d[i + 1] >= 0x90)) {
            const char32_t c =
                ((b & 0x07) << 18) | ((d[i + 1] & 0x3F) << 12) | ((d[i + 2] & 0x3F) << 6) | (d[i + 3] & 0x3F);
            *o++ = char16_t(0xD800 + ((c - 0x10000) >> 10));
            *o++ = char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            i += 4;
        } else {
            // Not valid UTF-8: Qt's replacement rules, for the whole text.
            return QString::fromUtf8(data, size);
        }
    }
    out.truncate(o - reinterpret_cast<char16_t*>(out.data()));
    return out;
}

bool AnswerIsRefusal(const QString& answer) {
    return answer.trimmed().toUpper().left(6) == QStringLiteral("ERROR:");
}

QString RefusalReason(const QString& answer) { return answer.mid(6); }

} // namespace relayhub
