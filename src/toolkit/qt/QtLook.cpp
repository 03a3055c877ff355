// Colour and font mapping of the Qt back end. "MS Sans Serif" exists on few Linux systems,
// so a missing face gives way to an installed face of similar metrics.
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

// The installed face nearest to one the program names. The faces of the program's Windows
// look are rarely installed on Linux; their stand-ins come with the program's packages:
// DejaVu Sans Condensed at 11 pixels has the widths of MS Sans Serif within a few percent
// and its 13-pixel line, DejaVu Sans Mono the advance of the Windows fixed-pitch face.
QString SimilarFace(const QString& face, Pitch pitch) {
    const bool fixed = pitch == Pitch::Fixed;
    if (QFontDatabase::hasFamily(face) && (!fixed || QFontDatabase::isFixedPitch(face))) {
        return face;
    }
    const QString standIn =
        fixed ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans Condensed");
    if (QFontDatabase::hasFamily(standIn)) {
        return standIn;
    }
    return QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont)
        .family();
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
    QFont result(SimilarFace(QString::fromStdString(font.face), font.pitch));
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

void ApplyBackground(QWidget& widget, const Colour& colour, bool fill) {
    if (colour.kind == Colour::Kind::Transparent) {
        widget.setAutoFillBackground(false);
        return;
    }
    QPalette palette = widget.palette();
    const QColor shade = ToQColor(colour);
    palette.setColor(QPalette::Window, shade);
    palette.setColor(QPalette::Button, shade);
    // Fields draw their text area in Base; other controls keep Base for their check marks.
    if (qobject_cast<QLineEdit*>(&widget) != nullptr ||
        qobject_cast<QComboBox*>(&widget) != nullptr) {
        palette.setColor(QPalette::Base, shade);
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(fill);
}

}  // namespace kestrune::toolkit::qt
