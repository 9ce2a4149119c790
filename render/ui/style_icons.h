// The small pictures the style box shows beside each style: one per kind
// of styles folder, in the order of the host's folder kinds.
#pragma once

#include <QIcon>

namespace linvale::ui {

// Icon `kind` (0 to 3: none, the user's styles, shared styles, the
// machine's styles); an empty icon for other numbers.
QIcon StyleIcon(int kind);

// The picture the preview shows before the first preview is drawn.
QPixmap PlaceholderPreview(int size);

}  // namespace linvale::ui
