// The look of the program on Qt: Qt's classic Windows style, the look of the controls the
// program's layout was drawn for, with the few changes that layout needs.
#pragma once

#include <QProxyStyle>

namespace kestrune::toolkit::qt {

class ClassicStyle final : public QProxyStyle {
public:
    ClassicStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

}  // namespace kestrune::toolkit::qt
