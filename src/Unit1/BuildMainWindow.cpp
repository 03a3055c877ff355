// Creates the main window in a fixed order: window, dialogs and images, the left panel with
// its buttons and list, then the options panel with the bit-rate group and the tag editor.
// Creation order matters: it is the keyboard order the platform gives.
#include "Unit1/BuildMainWindow.h"
#include "Unit1/FolderAdd.h"

#include "Unit1/BatchRun.h"
#include "Unit1/CompressMenu.h"
#include "Unit1/FileDrop.h"
#include "Unit1/Help.h"
#include "Unit1/ListCommands.h"
#include "Unit1/OptionControls.h"
#include "Unit1/Settings.h"
#include "Unit1/TagEditor.h"
#include "adCpuUsage/SystemCpuUsageMonitor.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::unit1 {

namespace {

using toolkit::Alignment;
using toolkit::Colour;
using toolkit::Font;
using toolkit::Pitch;
using toolkit::Rect;
using toolkit::SystemColour;

constexpr int kInitialLeft = 185;
constexpr int kInitialTop = 84;
constexpr toolkit::Size kInitialClientSize{641, 246};
constexpr toolkit::Size kMinimumSize{555, 260};
constexpr int kToolButtonSize = 33;  // the height of the button row above the list
constexpr int kOptionsPanelWidth = 307;
constexpr int kWindowMargin = 12;
constexpr int kAddImage = 5;
constexpr int kNewListImage = 1;
constexpr int kDeleteRowImage = 2;
constexpr int kCompressImage = 3;
constexpr int kHelpImage = 0;

const Colour kBlue = Colour::FromRgb(0, 0, 255);
const Colour kRed = Colour::FromRgb(255, 0, 0);
const Colour kNavy = Colour::FromRgb(0, 0, 128);
const Colour kInactiveCaptionText = Colour::FromSystem(SystemColour::InactiveCaptionText);
const Colour kWindowColour = Colour::FromSystem(SystemColour::Window);

// The control's own font with some properties changed.
Font Restyled(const toolkit::Control& control, Pitch pitch, bool bold = false,
              std::optional<Colour> colour = std::nullopt, std::optional<int> height = {}) {
    Font font = control.GetFont();
    font.pitch = pitch;
    font.bold = bold;
    if (colour) {
        font.colour = *colour;
    }
    if (height) {
        font.height = *height;
    }
    return font;
}

toolkit::ImageButton& AddToolButton(MainWindow& w, int image, int left) {
    toolkit::ImageButton& button = w.leftPanel->AddImageButton(*w.toolImages, image);
    button.SetBounds({left, 0, kToolButtonSize, kToolButtonSize});
    button.SetFlat(true);
    return button;
}

toolkit::Label& AddFittedLabel(toolkit::Container& parent, const std::string& text, int left,
                               int top) {
    toolkit::Label& label = parent.AddLabel(text);
    label.SetLeft(left);
    label.SetTop(top);
    label.SetAutoSize(true);
    return label;
}

toolkit::Edit& AddTagEdit(toolkit::Container& parent, const Rect& bounds) {
    toolkit::Edit& edit = parent.AddEdit();
    edit.SetBounds(bounds);
    edit.SetBorder(false);
    edit.SetBackgroundColour(kWindowColour);
    return edit;
}

// A check box sized to its caption in the given font.
toolkit::CheckBox& AddFittedCheckBox(toolkit::Container& parent, const std::string& text, int left,
                                     int top, const Font& font) {
    toolkit::CheckBox& box = parent.AddCheckBox(text);
    box.SetLeft(left);
    box.SetTop(top);
    box.SetFont(font);
    box.SetAutoSize(true);
    return box;
}

void CreateWindowFrame(MainWindow& w) {
    w.window = toolkit::CreateTopLevelWindow("Kestrune");
    w.window->SetLeft(kInitialLeft);
    w.window->SetTop(kInitialTop);
    w.window->SetClientSize(kInitialClientSize);
    w.window->SetBackgroundColour(Colour::FromRgb(166, 202, 240));
    Font font = w.window->GetFont();
    font.colour = kBlue;
    font.height = 11;
    font.charset = 204;  // Cyrillic
    w.window->SetFont(font);
    w.window->onClose = [&w] {
        CancelAdd(w);
        EndRunForClose(w);
        ExchangeSettings(w, SettingsExchange::write);
    };
    w.window->SetMinimumSize(kMinimumSize);
}

void CreateServices(MainWindow& w) {
    w.folderDialog = &w.window->AddFolderDialog();
    w.folderDialog->SetTitle("Выбор папки");
    w.addFolderDialog = &w.window->AddFolderDialog();
    w.addFolderDialog->SetTitle("Добавить папку");
    const Colour black = Colour::FromRgb(0, 0, 0);
    w.toolImages = &w.window->AddImageList("FORMP3_IMAGELIST", {24, 24}, black);
    w.openDialog = &w.window->AddOpenDialog();
    w.openDialog->SetMultipleSelection(true);
    w.openDialog->SetHideReadOnly(true);
    w.openDialog->SetCreatePrompt(true);
    w.openDialog->SetFilters({kMp3Filter});
    w.hints = &w.window->AddHints();
    w.hints->SetBalloon(true);
    w.hints->SetAlwaysTip(true);
    w.hints->SetAutomaticDelay(500);
    w.rowImages = &w.window->AddImageList("FORMP3_IMAGELISTIN", {16, 16}, black);
}

void CreateLeftPanel(MainWindow& w) {
    w.leftPanel = &w.window->AddPanel();
    w.leftPanel->SetWidth(329);
    w.leftPanel->SetDocking(toolkit::Dock::Left);
    w.leftPanel->SetBackgroundColour(kInactiveCaptionText);

    w.helpButton = &AddToolButton(w, kHelpImage, 138);
    w.addButton = &AddToolButton(w, kAddImage, 2);
    w.newListButton = &AddToolButton(w, kNewListImage, 36);

    toolkit::ListView& list = w.leftPanel->AddListView();
    w.fileListView = &list;
    list.SetBounds({0, 40, 329, 199});
    list.SetStyle({.header = true,
                   .gridLines = true,
                   .fullRowSelect = true,
                   .singleSelection = true,
                   .showSelectionAlways = true,
                   .hotTracking = true,
                   .oneClickActivate = true,
                   .flatScrollBars = true,
                   .infoTips = true});
    list.SetBackgroundColour(kWindowColour);
    list.SetTextBackgroundColour(Colour::FromRgb(255, 255, 255));
    list.SetSmallImages(*w.rowImages);
    list.AddColumn({"Имя файла", 100, Alignment::Left});
    list.AddColumn({"Размер (байт)", 100, Alignment::Left});
    list.AddColumn({"Битрейт", 50, Alignment::Left});
    list.AddColumn({"CBR/VBR ", 50, Alignment::Left});

    w.compressButton = &AddToolButton(w, kCompressImage, 104);
    w.deleteRowButton = &AddToolButton(w, kDeleteRowImage, 70);
}

void CreateTagGroup(MainWindow& w) {
    toolkit::GroupBox& group = w.optionsPanel->AddGroupBox("  Редактирование тэгов  ");
    w.tagGroup = &group;
    group.SetBounds({4, 92, 299, 135});
    group.SetCaptionAlignment(Alignment::Centre);
    group.SetBackgroundColour(kInactiveCaptionText);

    w.albumLabel = &AddFittedLabel(group, "Альбом", 4, 74);
    w.artistLabel = &AddFittedLabel(group, "Артист", 4, 56);
    w.titleLabel = &AddFittedLabel(group, "Название", 4, 38);
    w.genreLabel = &AddFittedLabel(group, "Жанр", 112, 92);
    w.yearLabel = &AddFittedLabel(group, "Год", 4, 92);

    w.id3v2Box = &AddFittedCheckBox(group, "ID3v2", 236, 14,
                                    Restyled(group, Pitch::Default, false, std::nullopt, 13));
    w.id3v2Box->SetBackgroundColour(Colour::Transparent());
    w.id3v1Box = &AddFittedCheckBox(group, "ID3v1", 6, 14, Restyled(group, Pitch::Variable));
    w.id3v1Box->SetBackgroundColour(Colour::Transparent());

    w.yearEdit = &AddTagEdit(group, {70, 90, 39, 17});
    w.yearEdit->SetNumbersOnly(true);
    w.albumEdit = &AddTagEdit(group, {70, 72, 224, 17});
    w.albumEdit->SetFont(Restyled(*w.albumEdit, Pitch::Variable));
    w.artistEdit = &AddTagEdit(group, {70, 54, 224, 17});
    w.artistEdit->SetFont(Restyled(*w.artistEdit, Pitch::Variable));
    w.titleEdit = &AddTagEdit(group, {70, 36, 224, 17});
    w.titleEdit->SetFont(Restyled(*w.titleEdit, Pitch::Fixed));

    w.saveButton = &group.AddButton("Сохранить изменения");
    w.saveButton->SetHeight(18);
    w.saveButton->SetDocking(toolkit::Dock::Bottom);
    w.saveButton->SetFlat(true);
    w.saveButton->SetBackgroundColour(Colour::FromSystem(SystemColour::GradientInactiveCaption));
    w.saveButton->SetFont(Restyled(*w.saveButton, Pitch::Variable, true, kRed));
    w.saveButton->SetEnabled(false);

    w.genreBox = &group.AddComboBox();
    w.genreBox->SetBounds({148, 90, 145, 17});
    w.genreBox->SetBackgroundColour(kWindowColour);
}

toolkit::Label& AddRateLabel(toolkit::Container& parent, const std::string& text,
                             const Rect& bounds) {
    toolkit::Label& label = parent.AddLabel(text);
    label.SetBounds(bounds);
    return label;
}

void CreateBitRateGroup(MainWindow& w) {
    toolkit::GroupBox& group = w.optionsPanel->AddGroupBox("Битрейт");
    w.bitRateGroup = &group;
    group.SetBounds({4, 4, 297, 67});
    group.SetCaptionAlignment(Alignment::Centre);

    w.kbpsLabel = &AddRateLabel(group, "kбит/с", {186, 34, 83, 17});
    w.lowerLabel = &AddRateLabel(group, "Ниже", {256, 50, 37, 14});
    w.lowerLabel->SetFont(Restyled(*w.lowerLabel, Pitch::Fixed, false, kNavy));
    w.lowerLabel->SetEnabled(false);
    w.bitRateLabel = &AddRateLabel(group, "", {138, 32, 25, 19});
    w.bitRateLabel->SetBackgroundColour(Colour::FromSystem(SystemColour::HighlightText));
    w.bitRateLabel->SetFont(Restyled(*w.bitRateLabel, Pitch::Fixed, true, std::nullopt, 13));
    w.bitRateLabel->SetTextAlignment(Alignment::Right);
    w.higherLabel = &AddRateLabel(group, "Выше", {86, 48, 43, 14});
    w.higherLabel->SetFont(Restyled(*w.higherLabel, Pitch::Fixed, false, kNavy));
    w.higherLabel->SetEnabled(false);
    w.qualityLabel = &group.AddLabel("Качество");
    w.qualityLabel->SetBounds({162, 48, w.qualityLabel->Width(), 14});
    w.qualityLabel->SetFont(Restyled(*w.qualityLabel, Pitch::Fixed, true, kRed));
    w.qualityLabel->SetEnabled(false);

    w.cbrRadio = &group.AddRadioButton("CBR");
    w.cbrRadio->SetBounds({4, 18, 75, w.cbrRadio->Height()});
    w.vbrRadio = &group.AddRadioButton("VBR");
    w.vbrRadio->SetLeft(4);
    w.vbrRadio->SetTop(36);

    w.qualityTrackBar = &group.AddTrackBar();
    w.qualityTrackBar->SetBounds({80, 16, 211, 31});
    w.qualityTrackBar->SetRange(0, 9);
    w.qualityTrackBar->SetPageSize(2);
    w.qualityTrackBar->SetTickFrequency(1);
    w.qualityTrackBar->SetThumbLength(20);
    w.qualityTrackBar->SetValueTip(true);
    w.qualityTrackBar->SetEnabled(false);

    w.bitRateUpDown = &group.AddUpDown();
    w.bitRateUpDown->SetBounds({163, 32, 20, 19});
    w.bitRateUpDown->SetRange(0, kBitRateCount - 1);
    w.bitRateUpDown->SetStep(1);
}

void CreateOptionsPanel(MainWindow& w) {
    w.optionsPanel = &w.window->AddPanel();
    w.optionsPanel->SetWidth(kOptionsPanelWidth);
    w.optionsPanel->SetDocking(toolkit::Dock::Right);
    w.optionsPanel->SetBackgroundColour(kInactiveCaptionText);

    w.monoBox = &AddFittedCheckBox(*w.optionsPanel, "Моно", 240, 74,
                                   Restyled(*w.optionsPanel, Pitch::Variable));
    CreateTagGroup(w);
    CreateBitRateGroup(w);
}

void AddHints(MainWindow& w) {
    const std::pair<const toolkit::Control*, const char*> tips[] = {
        {w.helpButton, "Помощь"},
        {w.addButton, "Выбор файлов MP3"},
        {w.newListButton, "Новый список"},
        {w.compressButton, "Сжать MP3"},
        {w.deleteRowButton, "Удалить строку"},
        {w.monoBox, "Режим моно"},
        {w.id3v2Box, "Добавить тэг v2"},
        {w.id3v1Box, "Добавить тэг v1"},
        {w.saveButton, "Изменить тег"},
        {w.cbrRadio, "Постоянный битрейт"},
        {w.vbrRadio, "Переменный битрейт"},
        {w.bitRateUpDown, "Здесь можно изменить битрейт"},
    };
    for (const auto& [control, text] : tips) {
        w.hints->AddTip(*control, text);
    }
}

void AttachHandlers(MainWindow& w) {
    // The layout places controls that exist only now: a size change before, such as one the
    // platform makes while the window is built, is made up for here.
    w.window->onResize = [&w] { LayoutMainWindow(w); };
    LayoutMainWindow(w);
    w.helpButton->onClick = [&w] { OpenHelp(w); };
    w.addButton->onClick = [&w] { AddFiles(w); };
    w.newListButton->onClick = [&w] { NewList(w); };
    w.deleteRowButton->onClick = [&w] { DeleteRow(w); };
    w.compressButton->onClick = [&w] { RunBatch(w); };
    w.compressButton->onContextMenu = [&w] { ShowCompressMenu(w); };
    w.addButton->onContextMenu = [&w] { ShowAddMenu(w); };
    w.fileListView->onItemChanged = [&w](int row) { LoadRowIntoEditor(w, row); };
    w.fileListView->onMouseEnter = [&w] {
        if (w.fileListView->IsEffectivelyEnabled()) {
            w.fileListView->SetFocus();
        }
    };
    w.fileListView->onDropFiles = [&w](const std::vector<std::string>& paths) {
        AddDroppedFiles(w, paths);
    };
    w.cbrRadio->onClick = [&w] { ApplyRateMode(w); };
    w.vbrRadio->onClick = [&w] { ApplyRateMode(w); };
    w.bitRateUpDown->onMouseUp = [&w] { ShowBitRate(w); };
    for (const auto& field :
         {std::pair{w.titleEdit, kTextTagLimit}, std::pair{w.artistEdit, kTextTagLimit},
          std::pair{w.albumEdit, kTextTagLimit}, std::pair{w.yearEdit, kYearTagLimit}}) {
        field.first->onChange = [&w, edit = field.first, limit = field.second] {
            LimitTagField(w, *edit, limit);
        };
    }
    w.id3v1Box->onClick = [&w] { MarkTagsChanged(w); };
    w.id3v2Box->onClick = [&w] { MarkTagsChanged(w); };
    w.genreBox->onSelect = [&w] { MarkTagsChanged(w); };
    w.saveButton->onClick = [&w] { SaveTagChanges(w); };
}

}  // namespace

std::unique_ptr<MainWindow> BuildMainWindow() {
    auto w = std::make_unique<MainWindow>();
    w->cpuUsageMonitor = cpuusage::CreateSystemCpuUsageMonitor();
    CreateWindowFrame(*w);
    CreateServices(*w);
    CreateLeftPanel(*w);
    CreateOptionsPanel(*w);
    AddHints(*w);
    AttachHandlers(*w);
    ShowEncoderOptions(*w, EncoderOptions{});  // every start begins with the defaults
    ApplyRateMode(*w);
    w->bitRateUpDown->SetWidth(20);
    InitialiseSession(*w);
    return w;
}

void LayoutMainWindow(MainWindow& w) {
    w.leftPanel->SetWidth(w.window->Width() - w.optionsPanel->Width() - kWindowMargin);
    w.fileListView->SetHeight(w.leftPanel->Height() - w.addButton->Height());
    w.fileListView->SetTop(w.addButton->Height());
    w.fileListView->SetWidth(w.leftPanel->Width());
}

}  // namespace kestrune::unit1
