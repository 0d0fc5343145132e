#include "app/processing.h"

#include "foundation/error.h"

namespace lorvan {

ProcessingGuard::ProcessingGuard(ProcessingFlag& flag) : flag_(flag) {
    if (flag_.running_) throw LorvanError(kNestedProcessingError);
    flag_.running_ = true;
}

ProcessingGuard::~ProcessingGuard() {
    flag_.running_ = false;
}

} // namespace lorvan
