#include "common/StringProcedures.h"

#include <gtest/gtest.h>

using namespace vd;

TEST(Substrings, LeftRightAndMidFollowTheirEdgeRules) {
    EXPECT_EQ(StringLeft("abcdef", 2), "ab");
    EXPECT_EQ(StringLeft("abcdef", -1), "");
    EXPECT_EQ(StringLeft("abc", 10), "abc");
    EXPECT_EQ(StringRight("abcdef", 2), "ef");
    EXPECT_EQ(StringRight("abcdef", -3), "");
    EXPECT_EQ(StringRight("abc", 10), "abc");
    EXPECT_EQ(StringMid("abcdef", 0, 0), "abcdef");
    EXPECT_EQ(StringMid("abcdef", 1, 0), "abcdef");
    EXPECT_EQ(StringMid("abcdef", 3, 2), "cd");
    EXPECT_EQ(StringMid("abcdef", 3, -1), "");
    EXPECT_EQ(StringMid("abcdef", 7, 0), "");
    EXPECT_EQ(StringMid("abc", 2, 99), "bc");
}

TEST(Fields, DelimiterCountAndElement) {
    EXPECT_EQ(StringDelimiterCount("|GET|COLOR|", "|"), 3);
    EXPECT_EQ(StringDelimiterCount("a||b", "|"), 2);
    EXPECT_EQ(StringDelimiterCount("aaaa", "aa"), 2); // non-overlapping
    EXPECT_EQ(StringDelimiterCount("", "|"), 0);
    EXPECT_EQ(StringElement("code:value", ":", 2), "");
    EXPECT_EQ(StringElement("code:value", ":", 1), "value");
    EXPECT_EQ(StringElement("", ":", 0), "");
    EXPECT_EQ(StringElement("a:b", "", 0), "");
    EXPECT_EQ(StringElement("a||c", "|", 1), "");
    EXPECT_EQ(StringElement("a||c", "|", 2), "c");
    EXPECT_EQ(StringElement("x", "|", -1), "");
}

TEST(Conversions, NumbersAreLenientAndRangeChecked) {
    EXPECT_EQ(StringToInteger(" 42 "), 42);
    EXPECT_EQ(StringToInteger("abc"), 0);
    EXPECT_EQ(StringToInteger("2.5"), 2); // banker's rounding
    EXPECT_EQ(StringToInteger("3.5"), 4);
    EXPECT_EQ(StringToInteger("40000"), 0); // out of range
    EXPECT_EQ(StringToLongwordInteger("-123456"), -123456);
    EXPECT_EQ(StringToLongwordInteger(""), 0);
    EXPECT_EQ(StringToLongwordInteger("1e3"), 1000);
    EXPECT_FLOAT_EQ(StringToSinglewordFloat("0.3"), 0.3f);
    EXPECT_FLOAT_EQ(StringToSinglewordFloat("x"), 0.0f);
    EXPECT_DOUBLE_EQ(StringToDoublewordFloat("12.34567"), 12.34567);
    EXPECT_DOUBLE_EQ(StringToDoublewordFloat("1,5"), 0.0);
}

TEST(Conversions, BooleansAndCheckboxes) {
    EXPECT_TRUE(StringToBoolean("Y"));
    EXPECT_TRUE(StringToBoolean("yes"));
    EXPECT_TRUE(StringToBoolean("True"));
    EXPECT_TRUE(StringToBoolean("t"));
    EXPECT_TRUE(StringToBoolean("-1"));
    EXPECT_TRUE(StringToBoolean(" 2 "));
    EXPECT_FALSE(StringToBoolean("0"));
    EXPECT_FALSE(StringToBoolean("N"));
    EXPECT_FALSE(StringToBoolean(""));
    EXPECT_FALSE(StringToBoolean(" Y")); // first character of the untrimmed text
    EXPECT_EQ(BooleanToString(true), "Y");
    EXPECT_EQ(BooleanToString(false), "N");
    EXPECT_EQ(BooleanToCheckbox(true), 1);
    EXPECT_EQ(BooleanToCheckbox(false), 0);
    EXPECT_TRUE(CheckboxToBoolean(1));
    EXPECT_FALSE(CheckboxToBoolean(2));
    EXPECT_FALSE(CheckboxToBoolean(-1));
}

TEST(Conversions, DatesParseOrFallBackToTheZeroDate) {
    EXPECT_EQ(StringToDate("12/05/2026 09:30:15"), QDateTime(QDate(2026, 12, 5), QTime(9, 30, 15)));
    EXPECT_EQ(StringToDate("02/03/2025"), QDateTime(QDate(2025, 2, 3), QTime(0, 0)));
    EXPECT_EQ(StringToDate("2025-02-03"), QDateTime(QDate(2025, 2, 3), QTime(0, 0)));
    EXPECT_EQ(StringToDate("not a date"), ZeroDate());
    EXPECT_EQ(StringToDate(""), ZeroDate());
    EXPECT_EQ(StringToDate("13/45/2025"), ZeroDate());
    EXPECT_EQ(FormatDateTime(ZeroDate()), "12/30/1899 00:00:00");
    EXPECT_EQ(StringToDate(FormatDateTime(ZeroDate())), ZeroDate());
    EXPECT_EQ(FormatDate(QDateTime(QDate(2024, 7, 4), QTime(13, 0))), "07/04/2024");
}

TEST(ByteText, EveryByteValueSurvivesTheRoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = StringByteArrayToUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(StringUnicodeToByteArray(text), all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(text.at(0x81), QChar(0x81));   // undefined byte keeps its value
    EXPECT_EQ(text.at(0xE8), QChar(0xE8));   // the setup separator
    EXPECT_EQ(StringUnicodeToByteArray(QString(QChar(0x4E2D))), QByteArray("?"));
}

TEST(Formats, SecondsTimeRoundsTenthsSeparately) {
    EXPECT_EQ(FormatSecondsTime(59.97), "00:00:59.0");
    EXPECT_EQ(FormatSecondsTime(3725.4), "01:02:05.4");
    EXPECT_EQ(FormatSecondsTime(59.6), "00:00:59.6");
    EXPECT_EQ(FormatSecondsTime(65.3), "00:01:05.3");
    EXPECT_EQ(FormatSecondsTime(0), "00:00:00.0");
}

TEST(Formats, FractionsAndNames) {
    EXPECT_EQ(FormatNumber(12.5), "12.5");
    EXPECT_EQ(FormatNumber(3), "3");
    EXPECT_EQ(FormatNumber(1.234567), "1.23457");
    EXPECT_EQ(FormatFraction(12.5), "12.5");
    EXPECT_EQ(FormatFraction(3), "3.");
    EXPECT_EQ(FormatFraction(0.5), ".5");
    EXPECT_EQ(FormatFraction(0), ".");
    EXPECT_DOUBLE_EQ(StringToDoublewordFloat(FormatFraction(3)), 3.0);
    EXPECT_EQ(FileNameOnly("/tmp/a/b/Letter.wav"), "Letter.wav");
    EXPECT_EQ(FileNameOnly("C:\\dict\\Memo"), "Memo.");
    EXPECT_EQ(TextLocationConvert(""), "1;1;0");
    EXPECT_EQ(TextLocationConvert("3;4"), "1;1;0");
    EXPECT_EQ(TextLocationConvert("3;4;5"), "3;4;5");
    const QDateTime when(QDate(2026, 12, 5), QTime(14, 7, 9));
    EXPECT_EQ(DictationNameFormat("A123/7", "Doe, John", when), "A123_Doe_John_20261205_140709");
    EXPECT_EQ(DictationNameFormat("", "Doe, John", when), "");
    EXPECT_EQ(DictationNameFormat("A1", "", when), "");
    EXPECT_EQ(DictationNameFormat("A1", "Doe, John", ZeroDate()), "");
}
