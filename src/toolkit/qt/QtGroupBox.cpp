// Qt group box: the caption and its alignment on the frame's top edge.
#include "toolkit/qt/QtKinds.h"

namespace kestrune::toolkit::qt {

QtGroupBox::QtGroupBox(base::Node& parent, const std::string& caption)
    : QtControl(parent, caption) {
    ShowCaption();
}

void QtGroupBox::ShowCaption() {
    View().setTitle(QString::fromStdString(Caption()));
    switch (CaptionAlignment()) {
        case Alignment::Left:
            View().setAlignment(Qt::AlignLeft);
            break;
        case Alignment::Centre:
            View().setAlignment(Qt::AlignHCenter);
            break;
        case Alignment::Right:
            View().setAlignment(Qt::AlignRight);
            break;
    }
}

}  // namespace kestrune::toolkit::qt
