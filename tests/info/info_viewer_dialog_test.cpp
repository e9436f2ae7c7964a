// The information viewer window against the simulated printer, opened as the panel page opens
// it: what its pages show, which keys close it, and "Save" through the save dialog. Every kind
// of file the save meets is tried in file_replace_test.cpp; here, what the user sees of it.
#include "info/info_viewer_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <set>

#include "core/string_table.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "info/info_viewer_sequence.h"
#include "info/info_viewer_templates.h"
#include "info/ini_export.h"
#include "support/disk_faults.h"
#include "support/modal_watch.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

constexpr char kDemoIni[] = RPANEL_INFO_TEST_DATA "/demo-printer-en-US.ini";

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QTabWidget& Tabs(const QDialog& viewer) {
    return *ControlById<QTabWidget>(viewer, info_viewer::kTabControl);
}

QWidget& Page(const QDialog& viewer, InfoPage page) {
    return *Tabs(viewer).widget(static_cast<int>(page));
}

// Control ids repeat from page to page: a control is looked for on its own page.
QString Shown(const QDialog& viewer, InfoPage page, int control) {
    const QLabel* label = ControlById<QLabel>(Page(viewer, page), control);
    return label == nullptr ? QStringLiteral("<no control>") : label->text();
}

void PressButton(const QDialog& viewer, int button) {
    ControlById<QPushButton>(viewer, button)->click();
}

// Presses "Save" and acts in the save dialog that comes up; the action must end the dialog.
void PressSave(const QDialog& viewer, const std::function<void(QFileDialog&)>& inDialog) {
    test::ModalWatch watch([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        inDialog(*dialog);
    });
    PressButton(viewer, info_viewer::kSaveButton);
    EXPECT_TRUE(watch.Acted());
}

// Chooses path as the user does, answering the dialog's question whether to replace an
// existing file with `replace`; the dialog stays up after "No".
void Choose(QFileDialog& dialog, const QString& path,
            QMessageBox::StandardButton replace = QMessageBox::NoButton) {
    std::optional<test::ModalWatch> question;
    if (replace != QMessageBox::NoButton) {
        question.emplace([replace](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr) << "no question before replacing the file";
            box->button(replace)->click();
        });
    }
    // The dialog keeps a name box that has the focus as it stands; choosing moves the focus away.
    if (QWidget* focused = dialog.focusWidget()) {
        focused->clearFocus();
    }
    dialog.selectFile(path);
    static_cast<QDialog&>(dialog).accept();
    if (question) {
        EXPECT_TRUE(question->Acted());
    }
}

class InfoViewerDialogTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
        ASSERT_TRUE(folder.isValid());
    }

    // Opens the viewer through the viewer sequence; whileOpen gets it once it is up and must
    // close it.
    void OpenViewer(const std::function<void(QDialog& viewer)>& whileOpen) {
        test::ModalWatch watch([&](QWidget& modal) { whileOpen(static_cast<QDialog&>(modal)); });
        EXPECT_TRUE(
            OpenInfoViewer(messages, state, [&](AppState& s) { RunInfoViewerDialog(&owner, s); }));
        EXPECT_TRUE(watch.Acted());
    }
    QString InFolder(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    qsizetype FolderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
            .size();
    }

    QWidget owner;
    test::ScriptedAnswers boxes;
    QTemporaryDir folder;
};

TEST_F(InfoViewerDialogTest, ShowsWhatTheInformationModelSaysOnSevenPages) {
    OpenViewer([&](QDialog& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Configuration Page");
        EXPECT_EQ(ControlById<QPushButton>(viewer, info_viewer::kSaveButton)->text(), "Save");
        EXPECT_EQ(ControlById<QPushButton>(viewer, info_viewer::kCloseButton)->text(), "Close");
        QStringList captions;
        for (int i = 0; i < Tabs(viewer).count(); ++i) {
            captions << Tabs(viewer).tabText(i);
        }
        EXPECT_EQ(captions,
                  QStringList({"Supplies Status", "Coverage Information", "Counter", "Paper",
                               "Machine Setting", "Firmware Version", "Adjustment"}));
        EXPECT_EQ(Tabs(viewer).currentIndex(), 0);

        // Every control of every page, and no other, shows the model's text (which "Save"
        // writes: the texts themselves are checked against the demo printer's file below).
        ViewerTexts model = LabelTexts();
        FillValueTexts(state, model);
        for (std::size_t index = 0; index < kInfoPageCount; ++index) {
            const auto page = static_cast<InfoPage>(index);
            std::set<int> onPage;
            for (const QLabel* label :
                 Page(viewer, page).findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                onPage.insert(label->objectName().toInt());
            }
            std::set<int> inModel;
            for (const auto& [control, text] : model[index].controls) {
                inModel.insert(control);
                EXPECT_EQ(Shown(viewer, page, control).toStdString(), text)
                    << "page " << index << ", control " << control;
            }
            EXPECT_EQ(onPage, inModel) << "page " << index;
        }

        // Escape and Enter leave the viewer open.
        QTest::keyClick(&viewer, Qt::Key_Escape);
        QTest::keyClick(&viewer, Qt::Key_Return);
        EXPECT_TRUE(viewer.isVisible());
        PressButton(viewer, info_viewer::kCloseButton);
    });
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(InfoViewerDialogTest, EveryPageFitsItsTabUncut) {
    for (const DialogTemplate* page : kInfoPageTemplates) {
        for (const ControlTemplate& control : page->controls) {
            EXPECT_LE(control.rect.x + control.rect.width, page->width) << control.id;
            EXPECT_LE(control.rect.y + control.rect.height, page->height) << control.id;
        }
    }
    OpenViewer([&](QDialog& viewer) {
        for (std::size_t index = 0; index < kInfoPageCount; ++index) {
            Tabs(viewer).setCurrentIndex(static_cast<int>(index));
            const QWidget& page = Page(viewer, static_cast<InfoPage>(index));
            EXPECT_TRUE(page.isVisible());
            const QSize needed = DialogSize(*kInfoPageTemplates[index]);
            EXPECT_GE(page.width(), needed.width()) << "page " << index;
            EXPECT_GE(page.height(), needed.height()) << "page " << index;
        }
        viewer.close();  // the window's close box
    });
}

TEST_F(InfoViewerDialogTest, SaveWritesWhatThePagesShowUnderANameOfTheUsersChoice) {
    OpenViewer([&](QDialog& viewer) {
        PressSave(viewer, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.nameFilters(), QStringList{"INI FILE(*.INI)"});
            EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), "A0ED041002345.INI");
            Choose(dialog, InFolder("report"));  // the extension comes with the dialog
        });
        EXPECT_TRUE(viewer.isVisible());
        PressButton(viewer, info_viewer::kCloseButton);
    });
    EXPECT_EQ(FileBytes(InFolder("report.INI")), FileBytes(kDemoIni));
    EXPECT_EQ(FolderEntries(), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(InfoViewerDialogTest, AnExistingFileIsReplacedOnlyAfterTheUserSaysSo) {
    const QString file = InFolder("A0ED041002345.INI");  // the suggested name
    WriteFile(file, "[Other]\r\nKeep=me\r\n");
    OpenViewer([&](QDialog& viewer) {
        PressSave(viewer, [&](QFileDialog& dialog) {
            dialog.setDirectory(folder.path());
            dialog.reject();  // cancelled
        });
        EXPECT_TRUE(viewer.isVisible());
        PressSave(viewer, [&](QFileDialog& dialog) {
            Choose(dialog, file, QMessageBox::No);
            EXPECT_TRUE(dialog.isVisible()) << "the user may choose another name";
            dialog.reject();
        });
        EXPECT_EQ(FileBytes(file), "[Other]\r\nKeep=me\r\n");
        EXPECT_EQ(FolderEntries(), 1);

        PressSave(viewer, [&](QFileDialog& dialog) { Choose(dialog, file, QMessageBox::Yes); });
        EXPECT_EQ(FileBytes(file), FileBytes(kDemoIni)) << "this export only";
        PressButton(viewer, info_viewer::kCloseButton);
    });
    EXPECT_TRUE(boxes.shown.empty());
}

// The printer's 8-bit text is shown as the characters of the same number and saved byte for
// byte, as rpanelctl info --ini saves it; choosing a symbolic link writes the file it names.
TEST_F(InfoViewerDialogTest, SaveThroughALinkWritesItsTargetWithThePrintersBytes) {
    printer.Script(13, 0x0300,
                   "@PJL INFO CONFIGMACHINE\r\nMACHINESERIAL=A0\xE9"
                   "D\r\n");
    WriteFile(InFolder("target.INI"), "[Other]\r\nKeep=me\r\n");
    QFile::link(InFolder("target.INI"), InFolder("link.INI"));
    OpenViewer([&](QDialog& viewer) {
        EXPECT_EQ(Shown(viewer, InfoPage::MachineSetting, 1144), QString::fromUtf8("A0\u00E9D"));
        PressSave(viewer, [&](QFileDialog& dialog) {
            Choose(dialog, InFolder("link.INI"), QMessageBox::Yes);
        });
        PressButton(viewer, info_viewer::kCloseButton);
    });
    EXPECT_TRUE(QFileInfo(InFolder("link.INI")).isSymLink());
    const QByteArray saved = FileBytes(InFolder("target.INI"));
    EXPECT_TRUE(
        saved.contains("\r\n[- Machine Setting -]\r\nSerial Number=A0\xE9"
                       "D\r\n"))
        << saved.constData();
    EXPECT_FALSE(saved.contains("Keep=me"));
    EXPECT_EQ(FolderEntries(), 2);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(InfoViewerDialogTest, SaveOverAReadOnlyFileKeepsItAndSaysWhichAndWhy) {
    if (!test::OrdinaryUserFiles::Stop()) {
        GTEST_SKIP() << "running as root, and setfsuid could not take an ordinary user's identity";
    }
    const QString file = InFolder("A0ED041002345.INI");
    WriteFile(file, "[Other]\r\nKeep=me\r\n");
    ::chmod(QFile::encodeName(file).constData(), 0444);
    ::chmod(QFile::encodeName(folder.path()).constData(), 0777);  // the user may look in
    OpenViewer([&](QDialog& viewer) {
        const test::OrdinaryUserFiles user;
        PressSave(viewer, [&](QFileDialog& dialog) { Choose(dialog, file, QMessageBox::Yes); });
        EXPECT_TRUE(viewer.isVisible());
        PressButton(viewer, info_viewer::kCloseButton);
    });
    EXPECT_EQ(FileBytes(file), "[Other]\r\nKeep=me\r\n");
    EXPECT_EQ(FolderEntries(), 1);
    EXPECT_EQ(boxes.shown, std::vector<int>{2001});
    EXPECT_EQ(boxes.reasons, std::vector<std::string>{file.toStdString() + ": Permission denied"});
}

}  // namespace
}  // namespace rpanel
