#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>
#include <map>

namespace ui {

// The base of the editor's own modal dialogs: controls placed from a table of pixel
// rectangles, a fixed size, and dragging the dialog by its background with the left button.
class CGameDlg : public QDialog {
    Q_OBJECT

public:
    // One control's place; a table ends with a record whose id is kEndOfTable.
    struct LayoutRecord {
        int id;
        int x;
        int y;
        int width;
        int height;
    };
    static constexpr int kEndOfTable = -1;

    explicit CGameDlg(QWidget* parent = nullptr);

    int OuterWidth() const { return m_outerWidth; }
    int OuterHeight() const { return m_outerHeight; }
    bool IsDragging() const { return m_dragging; }
    // The control the layout table names by `id`; null when the dialog has none.
    QWidget* Control(int id) const;

    void setVisible(bool visible) override;
    // In a modal dialog OK first takes the controls' data; a modeless one just closes.
    void accept() override;

protected:
    void SetOuterSize(int width, int height);
    void AddControl(int id, QWidget* control);

    virtual const LayoutRecord* LayoutTable() const = 0;
    virtual bool WantsToolTips() const { return true; }
    virtual void LayOut();
    virtual QRect AdjustRect(int id, const QRect& rect) const;
    // Asked each time a control's tool tip is about to show; empty shows none.
    virtual QString ToolTipText(int id) const;
    // False keeps a modal dialog open (the data did not validate).
    virtual bool TakeControlData() { return true; }

    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Initialise();
    void EndDrag();

    int m_outerWidth = 800;
    int m_outerHeight = 600;
    bool m_initialised = false;
    bool m_dragging = false;
    // Global positions: the window moves under the cursor, so local ones would shift.
    QPoint m_dragStartCursor;
    QPoint m_dragStartWindow;
    std::map<int, QWidget*> m_controls;
};

}  // namespace ui
