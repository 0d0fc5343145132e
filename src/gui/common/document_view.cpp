#include "gui/common/document_view.h"

#include "app/open_year_file.h"

namespace lorvan {

DocumentView::DocumentView(std::shared_ptr<OpenYearFile> file, QWidget* parent)
    : QWidget(parent), file_(std::move(file)) {}

void DocumentView::closeWindow() {
    if (parentWidget() != nullptr)
        parentWidget()->close();
    else
        close();
}

std::string DocumentView::documentPath() const {
    return file_ ? file_->path : std::string();
}

} // namespace lorvan
