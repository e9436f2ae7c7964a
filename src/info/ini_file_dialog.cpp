#include "info/ini_file_dialog.h"

#include <QFile>
#include <QFileDialog>

#include "info/ini_export.h"

namespace rpanel {
namespace {

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string AskIniFileName(QWidget& owner, const AppState& state, std::string_view filter,
                           std::string_view extension) {
    // Replacing an existing file is confirmed by the dialog itself (its default); new names are
    // accepted. No folder and no title of our own: the platform's defaults.
    QFileDialog dialog(&owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(FromText(filter));
    dialog.setDefaultSuffix(FromText(extension));
    // The serial number is the printer's own 8-bit text: shown as the viewer shows it.
    dialog.selectFile(QString::fromLatin1(SuggestedIniFileName(state, extension)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace rpanel
