#include "settings_ui/common_dialog.h"

#include "monitor/system_palette.h"
#include "settings_ui/common_dialog_logic.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace oruvel::settings_ui {
namespace {

class QtDialogBackend final : public DialogBackend {
public:
    std::optional<QString> openFile(const OpenRequest& r) override {
        QStringList nameFilters;
        for (const auto& [description, patterns] : filterEntries(r.filter.toStdString())) {
            QStringList globs;
            for (const auto& p : patterns) {
                globs << QString::fromStdString(p);
            }
            nameFilters << QString::fromStdString(description) + QStringLiteral(" (") + globs.join(QLatin1Char(' ')) +
                               QLatin1Char(')');
        }
        QFileDialog dialog(r.owner, r.title);
        dialog.setOption(QFileDialog::DontUseNativeDialog); // a desktop's own dialog may need another event loop
        dialog.setNameFilters(nameFilters);
        if (r.filterIndex >= 1 && r.filterIndex <= nameFilters.size()) {
            dialog.selectNameFilter(nameFilters[r.filterIndex - 1]);
        }
        dialog.setFileMode((r.flags & dlg::kFileMustExist) != 0 ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
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
        if (r.customColours != nullptr) {
            for (int i = 0; i < 16; ++i) {
                QColorDialog::setCustomColor(i, monitor::toQColor((*r.customColours)[static_cast<std::size_t>(i)]));
            }
        }
        const QColor chosen = QColorDialog::getColor(monitor::toQColor(r.initial), r.owner, r.title,
                                                     QColorDialog::DontUseNativeDialog);
        if (r.customColours != nullptr) {
            for (int i = 0; i < 16; ++i) {
                (*r.customColours)[static_cast<std::size_t>(i)] = monitor::fromQColor(QColorDialog::customColor(i));
            }
        }
        if (!chosen.isValid()) {
            return std::nullopt;
        }
        return monitor::fromQColor(chosen);
    }
};

} // namespace

DialogBackend& qtDialogBackend() {
    static QtDialogBackend backend;
    return backend;
}

void cCommonDialog::ShowOpen() {
    DialogBackend::OpenRequest request;
    request.owner = hWnd;
    request.title = DialogTitle;
    request.filter = Filter;
    request.filterIndex = FilterIndex == 0 ? 1 : FilterIndex;
    request.initialFile = Filename;
    request.flags = openDialogFlags(flags, false);
    const auto chosen = backend_.openFile(request);
    if (!chosen) {
        Filename.clear();
        FileTitle.clear();
        Filter.clear();
        flags = 0;
        FilterIndex = -1;
        return;
    }
    Filename = *chosen;
    FileTitle = QFileInfo(*chosen).fileName();
}

void cCommonDialog::ShowColor() {
    DialogBackend::ColourRequest request;
    request.owner = hWnd;
    request.title = DialogTitle;
    request.initial = monitor::fromQColor(monitor::toQColor(Color, QColor(Qt::black)));
    request.flags = colourDialogFlags(flags);
    request.customColours = &customColours_;
    if (const auto chosen = backend_.chooseColour(request)) {
        Color = *chosen;
    }
}

} // namespace oruvel::settings_ui
