// Qt edit field. textChanged reports typing, pasting and SetText alike; a digits-only
// validator filters what the user enters, while SetText is never validated by Qt.
#include "toolkit/qt/QtEdit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace kestrune::toolkit::qt {

QtEdit::QtEdit(QtNode& parent) : QtControl(&parent, {121, 21}) {
    QObject::connect(&View(), &QLineEdit::textChanged, [this] {
        if (onChange) {
            onChange();
        }
    });
}

std::string QtEdit::Text() const {
    return View().text().toStdString();
}

void QtEdit::SetText(const std::string& text) {
    View().setText(QString::fromStdString(text));
}

void QtEdit::SetNumbersOnly(bool numbersOnly) {
    if (numbersOnly == IsNumbersOnly()) {
        return;
    }
    if (numbersOnly) {
        // The line edit takes no ownership of its validator: the widget is its QObject parent.
        View().setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), &View()));
    } else {
        delete View().validator();
        View().setValidator(nullptr);
    }
}

}  // namespace kestrune::toolkit::qt
