// Colour and font mapping of the Qt back end. "MS Sans Serif" exists on few Linux systems,
// so a missing face falls back to the system's general or fixed-pitch face.
#include "toolkit/qt/QtLook.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace kestrune::toolkit::qt {
namespace {

QColor SchemeColour(SystemColour system) {
    switch (system) {
        case SystemColour::ButtonFace:
        case SystemColour::InactiveCaptionText:
            return {212, 208, 200};
        case SystemColour::Window:
        case SystemColour::HighlightText:
            return {255, 255, 255};
        case SystemColour::GradientInactiveCaption:
            return {215, 228, 242};
    }
    return {212, 208, 200};
}

void SetEnabledColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
}

}  // namespace

QColor ToQColor(const Colour& colour) {
    switch (colour.kind) {
        case Colour::Kind::Rgb:
            return {colour.red, colour.green, colour.blue};
        case Colour::Kind::System:
            return SchemeColour(colour.system);
        case Colour::Kind::Transparent:
            break;
    }
    return SchemeColour(SystemColour::ButtonFace);
}

QFont ToQFont(const Font& font) {
    const QString face = QString::fromStdString(font.face);
    QString family = face;
    if (!QFontDatabase::hasFamily(face)) {
        const auto fallback =
            font.pitch == Pitch::Fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont;
        family = QFontDatabase::systemFont(fallback).family();
    }
    QFont result(family);
    result.setPixelSize(std::max(1, font.height));
    result.setBold(font.bold);
    if (font.pitch == Pitch::Fixed) {
        result.setStyleHint(QFont::Monospace);
        result.setFixedPitch(true);
    }
    return result;
}

void ApplyFont(QWidget& widget, const Font& font) {
    widget.setFont(ToQFont(font));
    QPalette palette = widget.palette();
    const QColor colour = ToQColor(font.colour);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        SetEnabledColour(palette, role, colour);
    }
    widget.setPalette(palette);
}

void ApplyBackground(QWidget& widget, const Colour& colour) {
    if (colour.kind == Colour::Kind::Transparent) {
        widget.setAutoFillBackground(false);
        return;
    }
    QPalette palette = widget.palette();
    const QColor fill = ToQColor(colour);
    palette.setColor(QPalette::Window, fill);
    palette.setColor(QPalette::Button, fill);
    // Fields draw their text area in Base; other controls keep Base for their check marks.
    if (qobject_cast<QLineEdit*>(&widget) != nullptr ||
        qobject_cast<QComboBox*>(&widget) != nullptr) {
        palette.setColor(QPalette::Base, fill);
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace kestrune::toolkit::qt
