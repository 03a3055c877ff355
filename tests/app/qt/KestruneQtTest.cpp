// Kestrune on the Qt back end as a person uses it: the add button, the open dialog, the
// compress button, the folder browser and the progress window, with real MP3 files and
// the real lame; the help window; the question for the encoder. Every dialog is answered
// by the test as it opens. Screenshots of each window are saved to look at.
#include "MPEGaudio/MpegAudioInfo.h"
#include "Unit1/BuildMainWindow.h"
#include "support/Lame.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "toolkit/qt/QtApplication.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace kestrune {
namespace {

namespace fs = std::filesystem;

// The open dialog lists its folder in the background; by this many polls it has.
constexpr int kPollsToListAFolder = 4;

QWidget* TopLevel(const QString& title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == title) {
            return widget;
        }
    }
    return nullptr;
}

QAbstractButton* ButtonWithTip(const QString& tip) {
    for (QAbstractButton* button : TopLevel("Kestrune")->findChildren<QAbstractButton*>()) {
        if (button->toolTip() == tip) {
            return button;
        }
    }
    return nullptr;
}

// Owned as X11 records it: a dialog whose transient parent is the owner.
void ExpectOwnedBy(const QWidget& window, const QWidget& owner) {
    EXPECT_EQ(window.windowType(), Qt::Dialog);
    EXPECT_EQ(window.windowHandle()->transientParent(), owner.windowHandle());
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

    int polls = 0;
    AnswerNextFileDialog([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir.File("in")));
        if (++polls < kPollsToListAFolder) {
            return;
        }
        if (polls == kPollsToListAFolder) {
            SaveScreenshot(dialog, "open-dialog.png");
        }
        TypeFileName(dialog, "\"Песня.mp3\" \"Вторая.mp3\" \"third.mp3\"");
        static_cast<QDialog&>(dialog).accept();  // QFileDialog hides it; it checks the choice
    });
    ButtonWithTip("Выбор файлов MP3")->click();
    ASSERT_EQ(w->fileListView->RowCount(), 3);
    EXPECT_EQ(w->fileListView->CellText(0, 3), "CBR");
    toolkit::ProcessMessages();
    SaveScreenshot(*mainWindow, "main-window-cbr.png");

    bool progressSeen = false;
    QTimer watchRun;
    QObject::connect(&watchRun, &QTimer::timeout, [&] {
        if (QWidget* progress = TopLevel("Выполнение"); progress != nullptr && !progressSeen) {
            progressSeen = true;
            SaveScreenshot(*progress, "progress-window.png");
            ExpectOwnedBy(*progress, *mainWindow);
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
    ButtonWithTip("Переменный битрейт")->click();
    toolkit::ProcessMessages();
    SaveScreenshot(*mainWindow, "main-window-vbr.png");
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
    w->programFolder = KESTRUNE_HELP_PARENT "/";  // where help/index.html stands
    w->window->SetLeft(0);  // room for the help beside it on the test's small screen
    w->window->SetTop(0);
    w->window->Show();
    ButtonWithTip("Помощь")->click();
    toolkit::ProcessMessages();
    ASSERT_EQ(VisibleWindowsTitled("Справка"), 1);
    QWidget& help = *TopLevel("Справка");
    SaveScreenshot(help, "help-window.png");
    // Owned by the main window, and cascaded from it: one caption lower, one border right.
    const QWidget& mainWindow = *TopLevel("Kestrune");
    ExpectOwnedBy(help, mainWindow);
    EXPECT_NE(mainWindow.geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(help.frameGeometry().topLeft(), mainWindow.geometry().topLeft());
    ButtonWithTip("Помощь")->click();
    toolkit::ProcessMessages();
    EXPECT_EQ(VisibleWindowsTitled("Справка"), 1);
    TopLevel("Справка")->close();
}

TEST(KestruneQt, AsksInRussianForAMissingEncoderAndClosesWhenTheUserDeclines) {
    test::TempDir dir;
    test::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    environment.Set("PATH", dir.Path().string());  // no encoder to be found
    std::vector<QString> buttons;                  // of each message box, in order
    toolkit::qt::EnsureApplication();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        if (buttons.empty()) {
            SaveScreenshot(*box, "encoder-question.png");
        }
        QStringList texts;
        for (const QAbstractButton* button : box->buttons()) {
            texts << button->text();
        }
        texts.sort();
        buttons.push_back(texts.join('|'));
        QAbstractButton* no = box->button(QMessageBox::No);
        (no != nullptr ? no : box->button(QMessageBox::Ok))->click();
    });
    answer.start(50);
    auto w = unit1::BuildMainWindow();
    answer.stop();
    toolkit::ProcessMessages();

    EXPECT_EQ(buttons, (std::vector<QString>{"&Да|&Нет", "ОК"}));
    EXPECT_TRUE(w->window->IsClosed());
}

}  // namespace
}  // namespace kestrune
