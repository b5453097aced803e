#include "common/ColorScheme.h"
#include "common/ProcessState.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace vd;

TEST(ColorScheme, ClassicColourValuesConvert) {
    EXPECT_EQ(OleColorToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(OleColorToQColor(0x00FF8080), QColor(0x80, 0x80, 0xFF));
    EXPECT_EQ(QColorToOleColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_TRUE(OleColorToQColor(qint32(0x8000000F)).isValid()); // system button face
}

TEST(ColorScheme, FormsArePaintedByControlKind) {
    const ColorScheme saved = Colors();
    Colors().formBackground = 0x00102030;
    Colors().textBackground = 0x00FFFFFF;
    Colors().textForeground = 0x00000080;
    Colors().button = 0x0000FF00;
    Colors().required = 0x0000FFFF;
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* text = new QLineEdit(&form);
    auto* label = new QLabel("Name", &form);
    auto* check = new QCheckBox("Normal", &form);
    auto* button = new QPushButton("Save", &form);
    for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(label),
                       static_cast<QWidget*>(check), static_cast<QWidget*>(button)})
        layout->addWidget(w);
    FormCustomColorSet(&form);
    EXPECT_EQ(form.palette().color(QPalette::Window), OleColorToQColor(0x00102030));
    EXPECT_EQ(text->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(text->palette().color(QPalette::Text), OleColorToQColor(0x00000080));
    EXPECT_EQ(label->palette().color(QPalette::Window), OleColorToQColor(0x00102030));
    EXPECT_EQ(check->palette().color(QPalette::WindowText), OleColorToQColor(0x00000080));
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(0, 255, 0));

    TextboxRequiredColor(text);
    EXPECT_EQ(text->palette().color(QPalette::Base), OleColorToQColor(0x0000FFFF));
    text->setText("A123");
    TextboxRequiredColor(text);
    EXPECT_EQ(text->palette().color(QPalette::Base), QColor(255, 255, 255));
    Colors() = saved;
}
