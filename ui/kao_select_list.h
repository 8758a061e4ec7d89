#pragma once

#include <cstdint>

#include "document/document.h"

class QListWidget;

namespace ui {

// Refills the select dialog's icon list with the numbers of one kind: each item shows the
// face's small picture and the first general using it, or "未登錄".
void FillFaceList(QListWidget& list, document::CQ06KaoCgEditDoc& doc, int kind);

}  // namespace ui
