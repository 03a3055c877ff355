// Qt's "Windows" style draws classic Windows 9x controls: etched group boxes with the
// caption on the frame line, sunken check boxes, raised headers. Its header keeps a wide
// text margin, which the list's narrow columns have no room for.
#include "toolkit/qt/QtStyle.h"

#include <QStyleFactory>

namespace kestrune::toolkit::qt {
namespace {

constexpr int kHeaderMargin = 3;

}  // namespace

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    if (metric == PM_HeaderMargin) {
        return kHeaderMargin;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace kestrune::toolkit::qt
