// Docking in the spirit of classic form designers: edges first, the fill last.
#include "toolkit/DockLayout.h"

#include <algorithm>

namespace kestrune::toolkit {

void ArrangeDocked(const Size& client, std::span<DockedBounds> entries) {
    Rect rest{0, 0, client.width, client.height};
    for (const Dock dock : {Dock::Top, Dock::Bottom, Dock::Left, Dock::Right, Dock::Fill}) {
        for (DockedBounds& entry : entries) {
            if (entry.dock != dock) {
                continue;
            }
            Rect& b = entry.bounds;
            switch (dock) {
                case Dock::Top:
                    b = {rest.left, rest.top, rest.width, b.height};
                    rest.top += b.height;
                    rest.height = std::max(0, rest.height - b.height);
                    break;
                case Dock::Bottom:
                    b = {rest.left, rest.top + rest.height - b.height, rest.width, b.height};
                    rest.height = std::max(0, rest.height - b.height);
                    break;
                case Dock::Left:
                    b = {rest.left, rest.top, b.width, rest.height};
                    rest.left += b.width;
                    rest.width = std::max(0, rest.width - b.width);
                    break;
                case Dock::Right:
                    b = {rest.left + rest.width - b.width, rest.top, b.width, rest.height};
                    rest.width = std::max(0, rest.width - b.width);
                    break;
                case Dock::Fill:
                    b = rest;
                    break;
                case Dock::None:
                    break;
            }
        }
    }
}

}  // namespace kestrune::toolkit
