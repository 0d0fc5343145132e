#include "gui/common/document_view.h"

namespace lorvan {

DocumentView::DocumentView(std::shared_ptr<OpenYearFile> file, QWidget* parent)
    : QWidget(parent), file_(std::move(file)) {}

} // namespace lorvan
