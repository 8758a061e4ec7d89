#include "app/frame_status_bar.h"

#include <QFontMetrics>
#include <QLabel>

#include "resources/string_table.h"
#include "ui/wide_text.h"

namespace app {

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    // The idle text is a normal item: a prompt hides it and clearing the prompt brings it back.
    m_idle = new QLabel(ui::LoadQString(resources::IDS_READY), this);
    addWidget(m_idle, 1);

    // Qt offers no portable way to read the lock keys' states, so the panes keep their place
    // and name greyed, as the indicators look while a state is unknown.
    const std::array<QString, 3> names = {QStringLiteral("CAP"), QStringLiteral("NUM"),
                                          QStringLiteral("SCRL")};
    const int width = QFontMetrics(font()).horizontalAdvance(QStringLiteral("SCRL")) + 12;
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* pane = new QLabel(names[i], this);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(width);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setEnabled(false);
        addPermanentWidget(pane);
        m_indicators[i] = pane;
    }
}

QString CFrameStatusBar::ShownText() const {
    const QString prompt = currentMessage();
    return prompt.isEmpty() ? m_idle->text() : prompt;
}

}  // namespace app
