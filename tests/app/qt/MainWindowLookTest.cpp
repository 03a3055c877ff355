// The main window as drawn with the program's font and style: every caption and column
// header fits its control, no caption runs under a control drawn over it, and every control
// of a group stays inside the group's frame.
#include "Unit1/BuildMainWindow.h"
#include "Unit1/OptionControls.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "toolkit/qt/QtControl.h"
#include "toolkit/qt/QtControls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QToolButton>

#include <string>
#include <vector>

namespace kestrune {
namespace {

using toolkit::qt::WidgetOf;

// Where the style draws the group's frame or caption.
QRect GroupPart(const QGroupBox& group, QStyle::SubControl part) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return group.style()->subControlRect(QStyle::CC_GroupBox, &option, part, &group);
}

// The width the caption takes in its control: its text and the parts the style draws
// beside it.
int CaptionWidth(const QWidget& widget) {
    const int text = widget.fontMetrics().horizontalAdvance(widget.property("text").toString());
    const auto metric = [&](QStyle::PixelMetric part) {
        return widget.style()->pixelMetric(part, nullptr, &widget);
    };
    if (qobject_cast<const QCheckBox*>(&widget) != nullptr) {
        return metric(QStyle::PM_IndicatorWidth) + metric(QStyle::PM_CheckBoxLabelSpacing) + text;
    }
    if (qobject_cast<const QRadioButton*>(&widget) != nullptr) {
        return metric(QStyle::PM_ExclusiveIndicatorWidth) +
               metric(QStyle::PM_RadioButtonLabelSpacing) + text;
    }
    if (qobject_cast<const QPushButton*>(&widget) != nullptr) {
        return 2 * metric(QStyle::PM_ButtonMargin) + text;
    }
    return text;
}

// Checks one caption control: the text fits it, runs under no input control drawn over it
// to its right on the same rows, and the control lies inside its group's frame unless docked.
void ExpectFits(const toolkit::Control& control) {
    const QWidget& widget = WidgetOf(control);
    const std::string name = widget.property("text").toString().toStdString();
    const int width = CaptionWidth(widget);
    EXPECT_LE(width, widget.width()) << name;
    EXPECT_LE(widget.fontMetrics().height(), widget.height()) << name;

    const auto* label = qobject_cast<const QLabel*>(&widget);
    const bool right = label != nullptr && label->alignment().testFlag(Qt::AlignRight);
    const int textEnd = right ? widget.geometry().right() : widget.x() + width - 1;
    // The parent's children from the bottom of the stack to its top: only those above the
    // caption can cover its text.
    const QObjectList& stack = widget.parentWidget()->children();
    for (auto above = stack.indexOf(&widget) + 1; above < stack.size(); ++above) {
        const auto* sibling = qobject_cast<const QWidget*>(stack[above]);
        if (sibling == nullptr) {
            continue;
        }
        const QRect other = sibling->geometry();
        const bool sameRows =
            other.top() <= widget.geometry().bottom() && widget.geometry().top() <= other.bottom();
        if (sibling->isVisible() && qobject_cast<const QLabel*>(sibling) == nullptr &&
            other.left() > widget.x() && sameRows) {
            EXPECT_LT(textEnd, other.left()) << name << " runs into a control at " << other.x();
        }
    }

    const auto* group = qobject_cast<const QGroupBox*>(widget.parentWidget());
    if (group != nullptr && control.Docking() == toolkit::Dock::None) {
        // The classic frame is an etched line two pixels wide.
        const QRect inside = GroupPart(*group, QStyle::SC_GroupBoxFrame).adjusted(2, 2, -2, -2);
        EXPECT_TRUE(inside.contains(widget.geometry())) << name;
    }
}

void ExpectCaptionOnTheFrame(const toolkit::GroupBox& control) {
    const auto& group = dynamic_cast<const QGroupBox&>(WidgetOf(control));
    const QRect label = GroupPart(group, QStyle::SC_GroupBoxLabel);
    const QRect frame = GroupPart(group, QStyle::SC_GroupBoxFrame);
    EXPECT_TRUE(group.rect().contains(label)) << control.Caption();
    EXPECT_LE(group.fontMetrics().horizontalAdvance(group.title()), label.width());
    EXPECT_TRUE(label.top() < frame.top() && frame.top() < label.bottom()) << control.Caption();
}

TEST(MainWindowLook, EveryCaptionAndHeaderFitsItsControlInTheProgramsFont) {
    test::TempDir dir;
    test::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    auto w = unit1::BuildMainWindow();
    w->window->Show();
    // The widest bit rate, "256", reached as the user reaches it.
    QToolButton& up = dynamic_cast<toolkit::qt::QtUpDown&>(*w->bitRateUpDown).UpArrow();
    for (int step = 0; step < unit1::kBitRateCount; ++step) {
        up.click();
    }
    ASSERT_EQ(w->bitRateLabel->Text(), "256");

    for (const toolkit::Control* caption : std::vector<const toolkit::Control*>{
             w->monoBox, w->albumLabel, w->artistLabel, w->titleLabel, w->genreLabel, w->yearLabel,
             w->id3v2Box, w->id3v1Box, w->saveButton, w->kbpsLabel, w->bitRateLabel, w->cbrRadio,
             w->vbrRadio}) {
        ExpectFits(*caption);
    }
    // The quality controls share their place with the bit rate's; they are on top in VBR.
    dynamic_cast<QRadioButton&>(WidgetOf(*w->vbrRadio)).click();
    for (const toolkit::Control* caption :
         std::vector<const toolkit::Control*>{w->lowerLabel, w->higherLabel, w->qualityLabel}) {
        ExpectFits(*caption);
    }
    ExpectCaptionOnTheFrame(*w->tagGroup);
    ExpectCaptionOnTheFrame(*w->bitRateGroup);

    const auto& table = dynamic_cast<const QTableWidget&>(WidgetOf(*w->fileListView));
    EXPECT_EQ(table.frameWidth(), 0);  // the list has no border
    const QHeaderView& header = *table.horizontalHeader();
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const auto columns = w->fileListView->Columns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        // A blank at the end of a caption draws nothing.
        const QString caption = QString::fromStdString(columns[column].caption);
        const int text = header.fontMetrics().horizontalAdvance(caption.trimmed());
        EXPECT_LE(text + 2 * margin, header.sectionSize(static_cast<int>(column)))
            << columns[column].caption;
    }
}

}  // namespace
}  // namespace kestrune
