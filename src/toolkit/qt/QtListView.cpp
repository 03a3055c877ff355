// Qt list view. Rows are table rows, so grid lines and whole-row selection come from the
// table; the hot row under the pointer is drawn underlined, as a one-click list shows it,
// and a cell too narrow for its text shows the whole text in a tip.
#include "toolkit/qt/QtListView.h"

#include "toolkit/qt/QtServices.h"

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
    event->acceptProposedAction();
    if (filesDropped) {
        filesDropped(paths);
    }
}

QtListView::QtListView(QtNode& parent) : QtControl(&parent, {121, 97}) {
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
    SetAcceptsFiles(false);
    table.setItemDelegate(new ReportDelegate(table));  // owned by the table
    table.entered = [this] {
        if (onMouseEnter) {
            onMouseEnter();
        }
    };
    table.filesDropped = [this](const std::vector<std::string>& paths) {
        if (onDropFiles) {
            onDropFiles(paths);
        }
    };
    QObject::connect(table.selectionModel(), &QItemSelectionModel::selectionChanged,
                     [this] { ReportSelection(); });
    SetStyle(style_);
    SetTextBackgroundColour(textBackground_);
}

void QtListView::SetStyle(const ListViewStyle& style) {
    style_ = style;
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

void QtListView::AddColumn(const ListColumn& column) {
    ReportTable& table = View();
    const int index = static_cast<int>(columns_.size());
    columns_.push_back(column);
    table.setColumnCount(std::max(1, index + 1));
    auto header = std::make_unique<QTableWidgetItem>(QString::fromStdString(column.caption));
    header->setTextAlignment(CellAlignment(column.alignment));
    table.setHorizontalHeaderItem(index, header.release());  // the table takes it
    table.setColumnWidth(index, column.width);
}

void QtListView::SetSmallImages(const ImageList& images) {
    images_ = &dynamic_cast<const QtImageList&>(images);
    View().setIconSize({images.ImageWidth(), images.ImageHeight()});
    for (int row = 0; row < RowCount(); ++row) {
        SetRowImage(row, RowImage(row));
    }
}

int QtListView::AddRow(const std::string& firstCell) {
    const int row = RowCount();
    ChangeRows([&] {
        View().insertRow(row);
        SetCellText(row, 0, firstCell);
        SetRowImage(row, 0);
    });
    return row;
}

QTableWidgetItem& QtListView::Cell(int row, int column) {
    ReportTable& table = View();
    if (table.item(row, column) == nullptr) {
        auto item = std::make_unique<QTableWidgetItem>();
        if (column < static_cast<int>(columns_.size())) {
            item->setTextAlignment(CellAlignment(columns_[column].alignment));
        }
        table.setItem(row, column, item.release());  // the table takes it
    }
    return *table.item(row, column);
}

std::string QtListView::CellText(int row, int column) const {
    const QTableWidgetItem* item = View().item(row, column);
    return item != nullptr ? item->text().toStdString() : std::string();
}

void QtListView::SetCellText(int row, int column, const std::string& text) {
    if (IsRow(row) && column >= 0 && column < View().columnCount()) {
        Cell(row, column).setText(QString::fromStdString(text));
    }
}

int QtListView::RowImage(int row) const {
    const QTableWidgetItem* item = View().item(row, 0);
    return item != nullptr ? item->data(kImageRole).toInt() : 0;
}

void QtListView::SetRowImage(int row, int imageIndex) {
    if (!IsRow(row)) {
        return;
    }
    QTableWidgetItem& item = Cell(row, 0);
    item.setData(kImageRole, imageIndex);
    item.setIcon(images_ != nullptr ? images_->Icon(imageIndex) : QIcon());
}

void QtListView::DeleteRow(int row) {
    if (IsRow(row)) {
        // Qt selects the row that takes the place of a deleted selected one; the
        // toolkit leaves no row selected then.
        const bool wasSelected = row == selected_;
        ChangeRows([&] {
            View().removeRow(row);
            if (wasSelected) {
                View().clearSelection();
            }
        });
    }
}

void QtListView::DeleteAllRows() {
    ChangeRows([&] { View().setRowCount(0); });
}

void QtListView::SelectRow(int row) {
    if (IsRow(row)) {
        View().selectRow(row);
    } else {
        View().clearSelection();
    }
}

void QtListView::ChangeRows(const std::function<void()>& change) {
    changingRows_ = true;
    change();
    changingRows_ = false;
    selected_ = FirstSelectedRowShown();
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

void QtListView::ReportSelection() {
    if (changingRows_) {
        return;
    }
    const int newRow = FirstSelectedRowShown();
    const int oldRow = std::exchange(selected_, newRow);
    ReportSelectionChange(oldRow, newRow);
}

void QtListView::SetAcceptsFiles(bool accepts) {
    View().setAcceptDrops(accepts);
    View().viewport()->setAcceptDrops(accepts);
}

void QtListView::SetBackgroundColour(const Colour& colour) {
    QtControl::SetBackgroundColour(colour);
    SetTextBackgroundColour(textBackground_);
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

void QtListView::SetTextBackgroundColour(const Colour& colour) {
    textBackground_ = colour;
    QPalette palette = View().palette();
    palette.setColor(QPalette::Base, ToQColor(colour));
    View().setPalette(palette);
}

}  // namespace kestrune::toolkit::qt
