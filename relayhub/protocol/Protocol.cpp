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
    if (trailingSeparator)
        out += kSeparator;
    return out;
}

QStringList RequestSplit(const QString& request, int maxFields) {
    QStringList fields;
    if (!request.startsWith(kSeparator))
        return fields;
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
    if (ok)
        *ok = good;
    return bytes;
}

bool AnswerIsRefusal(const QString& answer) {
    return answer.trimmed().toUpper().left(6) == QStringLiteral("ERROR:");
}

QString RefusalReason(const QString& answer) { return answer.mid(6); }

} // namespace relayhub
