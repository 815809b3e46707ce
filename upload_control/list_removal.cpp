// Removing the selected entries from the file list.
#include "ferrolan.h"

namespace norvat {

void Ferrolan::Remove_Click() {
    // Rescans from the top after every removal: removing closes the gap below the entry.
    auto remove_first_selected = [&] {
        for (int i = 0, count = face_.ListCount(); i < count; ++i) {
            if (face_.Selected(i)) {
                face_.RemoveItem(i);
                return true;
            }
        }
        return false;  // the count said otherwise: stop rather than spin
    };
    while (face_.SelCount() != 0 && remove_first_selected()) {
    }
    RefreshListStatus();
}

}  // namespace norvat
