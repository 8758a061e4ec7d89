#pragma once

#include <QDockWidget>
#include <QImage>
#include <QString>
#include <array>

#include "document/document.h"
#include "roster/bushou.h"

class QLabel;

namespace ui {

// The preview bar at the left edge of the main window: the selected general's name and face
// in its three sizes. It only shows; it takes no input and cannot be closed or floated.
class CCGDialogBar : public QDockWidget {
    Q_OBJECT
public:
    // The faces are read through the document's archives.
    explicit CCGDialogBar(document::CQ06KaoCgEditDoc& doc, QWidget* parent = nullptr);

    // Shows a general's name and current face, or clears the bar for none. A face that cannot
    // be read is left empty and reported once with string 400.
    void ShowGeneral(const roster::bushou* general);

    QString ShownName() const;
    // What the picture of a size index (small, medium, large) shows; null when cleared.
    QImage ShownFace(int size) const { return m_faces.at(static_cast<std::size_t>(size)); }

private:
    void SetFace(int size, QImage face);

    document::CQ06KaoCgEditDoc& m_doc;
    QLabel* m_name = nullptr;
    std::array<QLabel*, 3> m_pictures{};
    std::array<QImage, 3> m_faces;
};

}  // namespace ui
