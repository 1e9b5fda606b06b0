#include "record/file_panel.h"

namespace korvanu {

// Nothing to hide yet: the panel's widgets come with the record files.
void closeFilePanel(Game&) {}

} // namespace korvanu
