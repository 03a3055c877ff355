// Qt group box: a framed container whose caption sits on the frame's top edge.
#include "toolkit/qt/QtContainer.h"

namespace kestrune::toolkit::qt {

QtGroupBox::QtGroupBox(QtNode& parent, const std::string& caption)
    : QtContainer(&parent, {185, 105}) {
    SetCaption(caption);
    SetCaptionAlignment(Alignment::Left);
}

void QtGroupBox::SetCaption(const std::string& caption) {
    View().setTitle(QString::fromStdString(caption));
}

void QtGroupBox::SetCaptionAlignment(Alignment alignment) {
    captionAlignment_ = alignment;
    switch (alignment) {
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
