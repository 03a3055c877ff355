// Kestrune on the Qt back end as a person uses it: the add button, the open dialog, the
// compress button, the folder browser and the progress window, with real MP3 files and
// the real lame. Every dialog is answered by the test as it opens. Screenshots of the main
// window with three rows and of the progress window during the run are saved.
#include "MPEGaudio/MpegAudioInfo.h"
#include "Unit1/BuildMainWindow.h"
#include "support/Lame.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>

namespace kestrune {
namespace {

namespace fs = std::filesystem;

QWidget* TopLevel(const QString& title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == title) {
            return widget;
        }
    }
    return nullptr;
}

QToolButton* ButtonWithTip(const QString& tip) {
    for (QToolButton* button : TopLevel("Kestrune")->findChildren<QToolButton*>()) {
        if (button->toolTip() == tip) {
            return button;
        }
    }
    return nullptr;
}

void SaveScreenshot(QWidget& window, const std::string& name) {
    fs::create_directories(KESTRUNE_SCREENSHOTS);
    EXPECT_TRUE(
        window.grab().save(QString::fromStdString(std::string(KESTRUNE_SCREENSHOTS) + "/" + name)));
}

// Types into the dialog's file name field, as a user would.
void TypeFileName(QFileDialog& dialog, const QString& text) {
    auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(field, nullptr);
    field->setText(text);
}

// Runs `answer` on the next file dialog once it is open, again on every poll while that
// dialog stays open (it lists its folder in the background, and may refuse a choice made
// before the listing is there), until it has closed.
void AnswerNextFileDialog(std::function<void(QFileDialog&)> answer) {
    auto* poll = new QTimer(qApp);
    auto answered = std::make_shared<QPointer<QFileDialog>>();
    QObject::connect(poll, &QTimer::timeout, [poll, answer, answered] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (*answered != nullptr && dialog != answered->data()) {
            poll->deleteLater();
        } else if (dialog != nullptr) {
            *answered = dialog;
            answer(*dialog);
        }
    });
    poll->start(50);
}

TEST(KestruneQt, AddsFilesThroughTheDialogAndCompressesThemWithLame) {
    test::TempDir dir;
    test::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    environment.Set("HOME", dir.Path().string());
    fs::create_directories(dir.Path() / "in");
    fs::create_directories(dir.Path() / "out");
    test::MakeMp3(dir.File("in/Песня.mp3"), "-b 128 --tt Song --ta Band", 40.0);
    test::MakeMp3(dir.File("in/Вторая.mp3"), "-V 4", 40.0);
    test::MakeMp3(dir.File("in/third.mp3"), "-b 192", 40.0);

    auto w = unit1::BuildMainWindow();  // lame is found on PATH
    w->window->Show();
    QWidget* mainWindow = TopLevel("Kestrune");
    ASSERT_NE(mainWindow, nullptr);

    AnswerNextFileDialog([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir.File("in")));
        TypeFileName(dialog, "\"Песня.mp3\" \"Вторая.mp3\" \"third.mp3\"");
        static_cast<QDialog&>(dialog).accept();  // QFileDialog hides it; it checks the choice
    });
    ButtonWithTip("Выбор файлов MP3")->click();
    ASSERT_EQ(w->fileListView->RowCount(), 3);
    EXPECT_EQ(w->fileListView->CellText(0, 3), "CBR");
    toolkit::ProcessMessages();
    SaveScreenshot(*mainWindow, "main-window.png");

    bool progressSeen = false;
    QTimer watchRun;
    QObject::connect(&watchRun, &QTimer::timeout, [&] {
        if (QWidget* progress = TopLevel("Выполнение"); progress != nullptr && !progressSeen) {
            progressSeen = true;
            SaveScreenshot(*progress, "progress-window.png");
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << box->text().toStdString();
            box->accept();
        }
    });
    watchRun.start(50);
    AnswerNextFileDialog([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir.Path().string()));
        TypeFileName(dialog, "out");
        static_cast<QDialog&>(dialog).accept();  // QFileDialog hides it; it checks the choice
    });
    ButtonWithTip("Сжать MP3")->click();
    watchRun.stop();

    EXPECT_TRUE(progressSeen);
    EXPECT_EQ(w->outputFolder, dir.File("out"));
    for (const char* name : {"Песня.mp3", "Вторая.mp3", "third.mp3"}) {
        mpeg::MpegAudioInfo info;
        ASSERT_TRUE(info.ReadFromFile(dir.File(std::string("out/") + name))) << name;
        EXPECT_TRUE(info.IsValid()) << name;
        EXPECT_EQ(info.BitRate(), 32) << name;  // the options as they start
    }
}

int VisibleWindowsTitled(const QString& title) {
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->isVisible() && widget->windowTitle() == title ? 1 : 0;
    }
    return count;
}

TEST(KestruneQt, HelpButtonOpensOneHelpWindow) {
    test::TempDir dir;
    test::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    auto w = unit1::BuildMainWindow();
    w->programFolder = KESTRUNE_RESOURCES "/";  // where help/index.html stands
    w->window->Show();
    ButtonWithTip("Помощь")->click();
    toolkit::ProcessMessages();
    ASSERT_EQ(VisibleWindowsTitled("Справка"), 1);
    SaveScreenshot(*TopLevel("Справка"), "help-window.png");
    ButtonWithTip("Помощь")->click();
    toolkit::ProcessMessages();
    EXPECT_EQ(VisibleWindowsTitled("Справка"), 1);
    TopLevel("Справка")->close();
}

}  // namespace
}  // namespace kestrune
