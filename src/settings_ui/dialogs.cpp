#include "settings_ui/dialogs.h"

#include "look/system_palette.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace oruvel::settings_ui {
namespace {

class QtDialogBackend final : public DialogBackend {
public:
    std::optional<QString> openFile(const OpenRequest& r) override {
        QFileDialog dialog(r.owner, r.title);
        dialog.setOption(QFileDialog::DontUseNativeDialog); // a desktop's own dialog may need another event loop
        dialog.setNameFilters(r.nameFilters);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (!r.initialFile.isEmpty()) {
            const QFileInfo info(r.initialFile);
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().front();
    }

    std::optional<core::Colour> chooseColour(const ColourRequest& r) override {
        const QColor chosen =
            QColorDialog::getColor(look::toQColor(r.initial), r.owner, r.title, QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid()) {
            return std::nullopt;
        }
        return look::fromQColor(chosen);
    }
};

} // namespace

DialogBackend& qtDialogBackend() {
    static QtDialogBackend backend;
    return backend;
}

} // namespace oruvel::settings_ui
