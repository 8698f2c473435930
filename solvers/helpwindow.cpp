#include "solvers/helpwindow.h"

#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Pomoc – Perewal"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    resize(QSize(620, 640).boundedTo(owner->screen()->availableGeometry().size() - QSize(16, 48)));
}

HelpWindow *HelpWindow::open(QWidget *from, const QString &page)
{
    QWidget *owner = from->window();
    auto *help = owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!help)
        help = new HelpWindow(owner);
    help->showPage(page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

QString HelpWindow::page() const
{
    return m_browser->source().fragment();
}

void HelpWindow::showPage(const QString &page)
{
    QUrl url(QStringLiteral("qrc:/help/pomoc.html"));
    if (!page.isEmpty())
        url.setFragment(page);
    m_browser->setSource(url);
    // The page already shown does not move by itself to the anchor asked for again.
    if (!page.isEmpty())
        m_browser->scrollToAnchor(page);
}
