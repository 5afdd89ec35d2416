#include "gui/shell/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>

#include "gui/shell/qt_window_host.h"

namespace syncward {

namespace {

// "Label (*.a)|*.a|All files (*.*)|*.*" -> "Label (*.a);;All files (*.*)"
QString qtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList labels;
    for (int i = 0; i < parts.size(); i += 2) labels << parts[i];
    return labels.join(";;");
}

// Qt's dialogs answer with forward slashes everywhere; a Windows path is
// "C:\...", which is what the rest of the program reads and writes.
std::string chosen(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

std::optional<std::string> QtDialogs::browseFolder(Form& owner, const std::string& title,
                                                   const std::string& initialFolder) {
    const QString folder = QFileDialog::getExistingDirectory(host_.viewOf(owner), QString::fromStdString(title),
                                                             QString::fromStdString(initialFolder));
    if (folder.isEmpty()) return std::nullopt;
    return chosen(folder);
}

std::optional<std::string> QtDialogs::openFile(Form& owner, const std::string& title, const std::string& filter,
                                               const std::string& initialFolder) {
    const QString file = QFileDialog::getOpenFileName(host_.viewOf(owner), QString::fromStdString(title),
                                                      QString::fromStdString(initialFolder), qtFilter(filter));
    if (file.isEmpty()) return std::nullopt;
    return chosen(file);
}

std::optional<std::string> QtDialogs::saveFile(Form& owner, const std::string& title, const std::string& filter,
                                               const std::string& initialPath) {
    const QString file = QFileDialog::getSaveFileName(host_.viewOf(owner), QString::fromStdString(title),
                                                      QString::fromStdString(initialPath), qtFilter(filter));
    if (file.isEmpty()) return std::nullopt;
    return chosen(file);
}

}  // namespace syncward
