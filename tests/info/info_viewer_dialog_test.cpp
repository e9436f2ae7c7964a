// The information viewer window against the simulated printer, opened through the viewer
// sequence as the panel page opens it: what its pages show, which keys close it, and "Save"
// through the save dialog. Every kind of file the save meets is tried in ini_save_test.cpp;
// here, what the user sees of it. The requests of the sequence, and what the user is told when
// one fails, are checked by the fault campaign.
#include "info/info_viewer_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "core/string_table.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "info/info_viewer_sequence.h"
#include "info/info_viewer_templates.h"
#include "support/disk_faults.h"
#include "support/modal_watch.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

constexpr char kDemoIni[] = RPANEL_INFO_TEST_DATA "/demo-printer-en-US.ini";
constexpr char kDemoPages[] = RPANEL_INFO_TEST_DATA "/demo-printer-pages-en-US.txt";
constexpr char kEightBitIni[] = RPANEL_INFO_TEST_DATA "/eight-bit-printer-en-US.ini";
constexpr char kKept[] = "[Other]\r\nKeep=me\r\n";

std::string FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

void WriteFile(const QString& path, const char* bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
}

QPushButton& Button(const QDialog& viewer, int button) {
    return *ControlById<QPushButton>(viewer, button);
}

// Presses "Save" and acts in the save dialog that comes up; the action must end the dialog.
void PressSave(const QDialog& viewer, const std::function<void(QFileDialog&)>& inDialog) {
    test::ModalWatch watch([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        inDialog(*dialog);
    });
    Button(viewer, info_viewer::kSaveButton).click();
    EXPECT_TRUE(watch.Acted());
}

// Chooses path as the user does, answering the dialog's question whether to replace an
// existing file with `replace`; the dialog stays up after "No".
void Choose(QFileDialog& dialog, const QString& path,
            QMessageBox::StandardButton replace = QMessageBox::NoButton) {
    test::ModalWatch question([replace](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr) << "no question before replacing the file";
        box->button(replace)->click();
    });
    // The dialog keeps a name box that has the focus as it stands; choosing moves the focus away.
    if (QWidget* focused = dialog.focusWidget()) {
        focused->clearFocus();
    }
    dialog.selectFile(path);
    static_cast<QDialog&>(dialog).accept();
    EXPECT_EQ(question.Acted(), replace != QMessageBox::NoButton);
}

class InfoViewerDialogTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
        ASSERT_TRUE(folder.isValid());
    }

    // Opens the viewer through the viewer sequence; whileOpen gets it once it is up and must
    // close it. The sequence gives back the blocks and closes the link when the viewer closes.
    void OpenViewer(const std::function<void(QDialog& viewer)>& whileOpen) {
        test::ModalWatch watch([&](QWidget& modal) { whileOpen(static_cast<QDialog&>(modal)); });
        EXPECT_TRUE(
            OpenInfoViewer(messages, state, [&](AppState& s) { RunInfoViewerDialog(&owner, s); }));
        EXPECT_TRUE(watch.Acted());
        EXPECT_EQ(state.configToner, nullptr);
        EXPECT_EQ(state.infoValues2, nullptr);
        EXPECT_EQ(sim.OpenHandleCount(), 0);
        EXPECT_TRUE(messages.shown.empty());
    }
    QString InFolder(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    auto FolderEntries() const {
        return std::distance(std::filesystem::directory_iterator(folder.path().toStdString()), {});
    }

    QWidget owner;
    test::ScriptedAnswers boxes;
    QTemporaryDir folder;
};

// The pages file lists, under each tab's caption, every control of the page, and no other, by
// id in the order the page makes them, with the text it shows of the demo printer. "Save"
// writes the same texts, and replaces a file only when the user says so.
TEST_F(InfoViewerDialogTest, ShowsTheDemoPrinterOnSevenPagesAndSavesWhatTheyShow) {
    for (const DialogTemplate* page : kInfoPageTemplates) {
        for (const ControlTemplate& control : page->controls) {
            EXPECT_LE(control.rect.x + control.rect.width, page->width) << control.id;
            EXPECT_LE(control.rect.y + control.rect.height, page->height) << control.id;
        }
    }
    const QString file = InFolder("A0ED041002345.INI");  // the suggested name
    WriteFile(file, kKept);
    OpenViewer([&](QDialog& viewer) {
        QTabWidget& tabs = *ControlById<QTabWidget>(viewer, info_viewer::kTabControl);
        EXPECT_EQ(tabs.currentIndex(), 0);
        QString shown = viewer.windowTitle() + "|" +
                        Button(viewer, info_viewer::kSaveButton).text() + "|" +
                        Button(viewer, info_viewer::kCloseButton).text() + "\n";
        for (int index = 0; index < tabs.count(); ++index) {
            tabs.setCurrentIndex(index);
            const QWidget& page = *tabs.widget(index);
            const QSize needed = DialogSize(*kInfoPageTemplates[index]);
            EXPECT_TRUE(page.isVisible());
            EXPECT_TRUE(page.width() >= needed.width() && page.height() >= needed.height())
                << index;
            shown += "[" + tabs.tabText(index) + "]\n";
            for (const QLabel* label :
                 page.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                shown += label->objectName() + "=" + label->text() + "\n";
            }
        }
        EXPECT_EQ(shown.toStdString(), FileBytes(kDemoPages));
        // Escape and Enter leave the viewer open.
        QTest::keyClick(&viewer, Qt::Key_Escape);
        QTest::keyClick(&viewer, Qt::Key_Return);
        EXPECT_TRUE(viewer.isVisible());

        PressSave(viewer, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.nameFilters(), QStringList{"INI FILE(*.INI)"});
            EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), "A0ED041002345.INI");
            dialog.reject();  // cancelled
        });
        PressSave(viewer, [&](QFileDialog& dialog) {
            Choose(dialog, file, QMessageBox::No);
            EXPECT_TRUE(dialog.isVisible()) << "the user may choose another name";
            dialog.reject();
        });
        EXPECT_EQ(FileBytes(file), kKept);
        EXPECT_EQ(FolderEntries(), 1);
        // The extension comes with the dialog.
        PressSave(viewer, [&](QFileDialog& dialog) { Choose(dialog, InFolder("report")); });
        PressSave(viewer, [&](QFileDialog& dialog) { Choose(dialog, file, QMessageBox::Yes); });
        EXPECT_TRUE(viewer.isVisible());
        viewer.close();  // the window's close box
    });
    EXPECT_EQ(FileBytes(InFolder("report.INI")), FileBytes(kDemoIni));
    EXPECT_EQ(FileBytes(file), FileBytes(kDemoIni)) << "this export only";
    EXPECT_EQ(FolderEntries(), 2);
    EXPECT_TRUE(boxes.shown.empty());
}

// The printer's 8-bit text is shown as the characters of the same number and saved byte for
// byte, as rpanelctl info --ini saves it; the untrusted value replies are shown as the signed
// 32-bit numbers they hold, and saved so. Choosing a symbolic link writes the file it names; a
// read-only file stays as it was, and the user is told which and why.
TEST_F(InfoViewerDialogTest, SavesThePrintersBytesThroughALinkAndKeepsAReadOnlyFile) {
    printer.Script(13, 0x0300, "@PJL INFO CONFIGMACHINE\r\nMACHINESERIAL=A0\xE9\x44\r\n");  // é D
    printer.SetValue(57, 0xFFFFFFFF);
    printer.Script(60, std::nullopt, std::nullopt);  // silent: the entry stays 0
    printer.SetValue(69, 0x80000000);
    printer.Script(70, std::nullopt, std::string("\x34\x12", 2));  // short: high bytes 0
    printer.SetValue(78, 0x7FFFFFFF);
    WriteFile(InFolder("target.INI"), kKept);
    QFile::link(InFolder("target.INI"), InFolder("link.INI"));
    const QString readOnly = InFolder("read-only.INI");
    WriteFile(readOnly, kKept);
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    ::chmod(QFile::encodeName(folder.path()).constData(), 0777);  // the user may look in
    const bool ordinaryUser = test::OrdinaryUserFiles::Stop();    // else root may write anything
    OpenViewer([&](QDialog& viewer) {
        const QWidget& machine = *ControlById<QTabWidget>(viewer, info_viewer::kTabControl)
                                      ->widget(static_cast<int>(InfoPage::MachineSetting));
        EXPECT_EQ(ControlById<QLabel>(machine, 1144)->text(), QString::fromUtf8("A0\u00E9D"));
        PressSave(viewer, [&](QFileDialog& dialog) {
            Choose(dialog, InFolder("link.INI"), QMessageBox::Yes);
        });
        if (ordinaryUser) {
            const test::OrdinaryUserFiles user;
            PressSave(viewer,
                      [&](QFileDialog& dialog) { Choose(dialog, readOnly, QMessageBox::Yes); });
        }
        EXPECT_TRUE(viewer.isVisible());
        Button(viewer, info_viewer::kCloseButton).click();
    });
    EXPECT_TRUE(QFileInfo(InFolder("link.INI")).isSymLink());
    // The demo printer's file with the values of the script; the machine reply holds only the
    // serial number, so the other machine settings and the firmware versions are blank or on.
    EXPECT_EQ(FileBytes(InFolder("target.INI")), FileBytes(kEightBitIni));
    EXPECT_EQ(FileBytes(readOnly), kKept);
    EXPECT_EQ(FolderEntries(), 3);
    if (ordinaryUser) {
        EXPECT_EQ(boxes.shown, std::vector<int>{2001});
        EXPECT_EQ(boxes.reasons,
                  std::vector<std::string>{readOnly.toStdString() + ": Permission denied"});
    }
}

}  // namespace
}  // namespace rpanel
