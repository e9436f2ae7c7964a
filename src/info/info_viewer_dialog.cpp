#include "info/info_viewer_dialog.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "core/string_ids.h"
#include "gui/center_on_screen.h"
#include "gui/dialog_builder.h"
#include "gui/message_boxes.h"
#include "gui/tab_pages.h"
#include "gui/window_text.h"
#include "info/info_viewer_sequence.h"
#include "info/info_viewer_templates.h"
#include "info/ini_export.h"
#include "info/ini_file_dialog.h"

namespace rpanel {
namespace {

// Set on the labels that show the printer's own bytes (see PageTexts::printerBytes).
constexpr char kPrinterBytes[] = "printerBytes";

// The printer's bytes are shown as the characters of the same number (ISO 8859-1), so that
// what is saved is what the printer sent; the string table's texts are UTF-8.
QString ShownText(const std::string& text, bool printerBytes) {
    return printerBytes ? QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))
                        : QString::fromStdString(text);
}

std::string SavedText(const QLabel& label) {
    return label.property(kPrinterBytes).toBool() ? label.text().toLatin1().toStdString()
                                                  : label.text().toStdString();
}

class InfoViewerDialog final : public QDialog {
public:
    InfoViewerDialog(QWidget* owner, AppState& state) : QDialog(owner), state_(state) {
        BuildDialog(kInfoViewerTemplate, *this);
        SetTitleById(*this, text::kViewerTitle);
        tabs_ = ControlById<QTabWidget>(*this, info_viewer::kTabControl);
        AddPages();
        ShowTexts(InitialiseViewerTexts(messages_, state_));
        // With every text in: each page fitted to its texts, and the window to its pages and
        // its row of tabs.
        for (QWidget* page : pages_) {
            FitControls(*page);
        }
        connect(ControlById<QPushButton>(*this, info_viewer::kCloseButton), &QPushButton::clicked,
                this, &QDialog::reject);
        connect(ControlById<QPushButton>(*this, info_viewer::kSaveButton), &QPushButton::clicked,
                this, [this] { Save(); });
    }

protected:
    void showEvent(QShowEvent* event) override {
        MakeRoomForTabs(*this, *tabs_);
        CenterOnScreen(*this);
        QDialog::showEvent(event);
    }

    // Only "Close" and the window's close box end the viewer; Escape does nothing. (Enter
    // presses nothing already: the template names no default button.)
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }

private:
    // The pages hold static texts only and have no behaviour of their own.
    void AddPages() {
        const PageFactory templatesOnly;
        for (std::size_t index = 0; index < kInfoPageCount; ++index) {
            pages_[index] =
                AddTabPage(*tabs_, templatesOnly, *kInfoPageTemplates[index],
                           InfoPageTables()[index].caption, static_cast<int>(index), state_);
        }
        tabs_->setCurrentIndex(0);
    }

    void ShowTexts(const ViewerTexts& texts) {
        for (std::size_t index = 0; index < kInfoPageCount; ++index) {
            for (const auto& [control, text] : texts[index].controls) {
                if (QLabel* label = ControlById<QLabel>(*pages_[index], control)) {
                    const bool printerBytes = texts[index].printerBytes.count(control) != 0;
                    label->setText(ShownText(text, printerBytes));
                    label->setProperty(kPrinterBytes, printerBytes);
                }
            }
        }
    }

    // What the pages show, read back from their controls: the export saves what the user sees.
    ViewerTexts ShownTexts() const {
        ViewerTexts texts;
        for (std::size_t index = 0; index < kInfoPageCount; ++index) {
            texts[index].caption = tabs_->tabText(static_cast<int>(index)).toStdString();
            for (const QLabel* label :
                 pages_[index]->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                texts[index].controls[label->objectName().toInt()] = SavedText(*label);
            }
        }
        return texts;
    }

    // The viewer stays open, whatever the outcome.
    void Save() {
        const std::string path = AskIniFileName(*this, state_, kIniFilter, kIniExtension);
        ExportInfoToIni(messages_, ShownTexts(), path);
    }

    AppState& state_;
    WindowMessages messages_{this};
    QTabWidget* tabs_ = nullptr;
    std::array<QWidget*, kInfoPageCount> pages_{};
};

}  // namespace

void RunInfoViewerDialog(QWidget* owner, AppState& state) {
    InfoViewerDialog viewer(owner, state);
    viewer.exec();
}

}  // namespace rpanel
