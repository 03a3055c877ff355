// Qt list view. Rows are table rows, so grid lines and whole-row selection come from the
// table; the hot row under the pointer is drawn underlined, as a one-click list shows it,
// and a cell too narrow for its text shows the whole text in a tip.
#include "toolkit/qt/QtListView.h"

#include "toolkit/qt/QtServices.h"

#include <QIcon>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace kestrune::toolkit::qt {
namespace {

constexpr int kImageRole = Qt::UserRole;

// Files are taken only by an enabled list that accepts them, as Qt delivers drops.
bool TakesFiles(const QWidget& list, const QMimeData* data) {
    if (!list.acceptDrops() || !list.isEnabled() || data == nullptr || !data->hasUrls()) {
        return false;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return true;
        }
    }
    return false;
}

Qt::Alignment CellAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case Alignment::Centre:
            return Qt::AlignCenter;
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The path of a file URL byte for byte: the URL carries a name that is not valid UTF-8
// percent-encoded, where a QString would have lost its bad bytes.
std::string LocalPathBytes(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// Draws the hot row underlined and shows the info tip of a cut cell.
class ReportDelegate final : public QStyledItemDelegate {
public:
    explicit ReportDelegate(ReportTable& table) : QStyledItemDelegate(&table), table_(table) {}

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !table_.infoTips) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        if (IsCut(cell, view)) {
            QToolTip::showText(event->globalPos(), cell.text, view->viewport(), option.rect);
        } else {
            QToolTip::hideText();
        }
        return true;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (table_.hotTracking && index.row() == table_.hotRow) {
            option->font.setUnderline(true);
        }
    }

private:
    // Whether the style draws the cell's text shortened, as it does in a rectangle too
    // narrow for it (its text area less a margin on each side).
    static bool IsCut(const QStyleOptionViewItem& cell, const QWidget* view) {
        const QStyle* style = view->style();
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        return QFontMetrics(cell.font).horizontalAdvance(cell.text) > area.width() - 2 * margin;
    }

    const ReportTable& table_;
};

}  // namespace

void ReportTable::enterEvent(QEnterEvent* event) {
    QTableWidget::enterEvent(event);
    if (entered) {
        entered();
    }
}

void ReportTable::leaveEvent(QEvent* event) {
    QTableWidget::leaveEvent(event);
    hotRow = -1;
    viewport()->update();
}

void ReportTable::mouseMoveEvent(QMouseEvent* event) {
    QTableWidget::mouseMoveEvent(event);
    const int row = rowAt(event->position().toPoint().y());
    if (row != hotRow) {
        hotRow = row;
        viewport()->update();
    }
}

void ReportTable::dragEnterEvent(QDragEnterEvent* event) {
    if (TakesFiles(*this, event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ReportTable::dragMoveEvent(QDragMoveEvent* event) {
    if (TakesFiles(*this, event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ReportTable::dropEvent(QDropEvent* event) {
    if (!TakesFiles(*this, event->mimeData())) {
        event->ignore();
        return;
    }
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(LocalPathBytes(url));
        }
    }
    if (filesDropped && filesDropped(paths)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

QtListView::QtListView(base::Node& parent) : QtControl(parent) {
    ReportTable& table = View();
    table.setFrameShape(QFrame::NoFrame);
    table.setColumnCount(1);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(std::max(18, table.fontMetrics().height() + 4));
    table.horizontalHeader()->setHighlightSections(false);
    table.horizontalHeader()->setStretchLastSection(false);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setWordWrap(false);
    table.setItemDelegate(new ReportDelegate(table));  // owned by the table
    table.entered = [this] { EnteredByUser(); };
    table.filesDropped = [this](const std::vector<std::string>& paths) {
        return DroppedByUser(paths);
    };
    QObject::connect(table.selectionModel(), &QItemSelectionModel::selectionChanged, [this] {
        if (!showing_) {
            SelectedByUser(FirstSelectedRowShown());
        }
    });
    ShowStyle();
    ShowAcceptsFiles();
    ShowTextBackground();
}

void QtListView::ShowBackground() {
    QtControl::ShowBackground();
    ShowTextBackground();
    // The header keeps the face of a button, beside its last column too, whatever colour
    // the list has.
    QHeaderView& header = *View().horizontalHeader();
    QPalette palette = header.palette();
    const QColor face = ToQColor(Colour::FromSystem(SystemColour::ButtonFace));
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Base, face);
    header.setPalette(palette);
}

void QtListView::ShowStyle() {
    const ListViewStyle style = Style();
    ReportTable& table = View();
    table.horizontalHeader()->setVisible(style.header);
    table.setShowGrid(style.gridLines);
    table.setSelectionBehavior(style.fullRowSelect ? QAbstractItemView::SelectRows
                                                   : QAbstractItemView::SelectItems);
    table.setSelectionMode(style.singleSelection ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
    table.hotTracking = style.hotTracking;
    table.setMouseTracking(style.hotTracking);
    table.infoTips = style.infoTips;
    // Without the focus Qt draws the selection in the inactive colours; keeping the active
    // ones shows it as clearly as before.
    QPalette palette = table.palette();
    const QPalette::ColorGroup source =
        style.showSelectionAlways ? QPalette::Active : QPalette::Inactive;
    const QPalette defaults = table.style()->standardPalette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     defaults.color(source, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     defaults.color(source, QPalette::HighlightedText));
    table.setPalette(palette);
    // One-click activation and flat scroll bars have no Qt counterpart.
}

void QtListView::ShowColumnAdded() {
    ReportTable& table = View();
    const std::vector<ListColumn> columns = Columns();
    const int index = static_cast<int>(columns.size()) - 1;
    const ListColumn& column = columns.back();
    table.setColumnCount(std::max(1, index + 1));
    auto header = std::make_unique<QTableWidgetItem>(QString::fromStdString(column.caption));
    header->setTextAlignment(CellAlignment(column.alignment));
    table.setHorizontalHeaderItem(index, header.release());  // the table takes it
    table.setColumnWidth(index, column.width);
}

void QtListView::ShowImages() {
    View().setIconSize({SmallImages()->ImageWidth(), SmallImages()->ImageHeight()});
    for (int row = 0; row < RowCount(); ++row) {
        ShowRowImage(row);
    }
}

void QtListView::ShowRowAdded(int row) {
    Quietly([&] { View().insertRow(row); });
    ShowCell(row, 0);
    ShowRowImage(row);
}

QTableWidgetItem& QtListView::Cell(int row, int column) {
    ReportTable& table = View();
    if (table.item(row, column) == nullptr) {
        auto item = std::make_unique<QTableWidgetItem>();
        const std::vector<ListColumn> columns = Columns();
        if (column < static_cast<int>(columns.size())) {
            item->setTextAlignment(CellAlignment(columns[column].alignment));
        }
        table.setItem(row, column, item.release());  // the table takes it
    }
    return *table.item(row, column);
}

void QtListView::ShowCell(int row, int column) {
    if (column < View().columnCount()) {
        Cell(row, column).setText(QString::fromStdString(CellText(row, column)));
    }
}

void QtListView::ShowRowImage(int row) {
    const auto* images = dynamic_cast<const QtImageList*>(SmallImages());
    Cell(row, 0).setIcon(images != nullptr ? images->Icon(RowImage(row)) : QIcon());
}

void QtListView::ShowRowDeleted(int row) {
    Quietly([&] { View().removeRow(row); });
}

void QtListView::ShowAllRowsDeleted() {
    Quietly([&] { View().setRowCount(0); });
}

void QtListView::ShowSelection() {
    Quietly([&] {
        if (SelectedRow() >= 0) {
            View().selectRow(SelectedRow());
        } else {
            View().clearSelection();
        }
    });
}

void QtListView::Quietly(const std::function<void()>& change) {
    showing_ = true;
    change();
    showing_ = false;
}

int QtListView::FirstSelectedRowShown() const {
    const QModelIndexList rows = View().selectionModel()->selectedIndexes();
    int first = -1;
    for (const QModelIndex& index : rows) {
        if (first < 0 || index.row() < first) {
            first = index.row();
        }
    }
    return first;
}

void QtListView::ShowAcceptsFiles() {
    View().setAcceptDrops(AcceptsFiles());
    View().viewport()->setAcceptDrops(AcceptsFiles());
}

void QtListView::ShowTextBackground() {
    QPalette palette = View().palette();
    palette.setColor(QPalette::Base, ToQColor(TextBackgroundColour()));
    View().setPalette(palette);
}

}  // namespace kestrune::toolkit::qt
