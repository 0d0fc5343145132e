#include "foundation/error.h"

namespace lorvan {

EndOfFileError::EndOfFileError(const std::string& fileName)
    : LorvanError("Es wurde versucht, auf eine Stelle hinter dem Ende von " + fileName + " zuzugreifen.") {}

NewerVersionError::NewerVersionError() : LorvanError(kNewerVersionMessage) {}

} // namespace lorvan
