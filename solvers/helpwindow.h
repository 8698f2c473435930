#ifndef HELPWINDOW_H
#define HELPWINDOW_H

#include <QDialog>

class QTextBrowser;

/**
 * The help: one window per window that asks for it, beside it rather than
 * over it, so that the drawing stays in sight while reading. It belongs to
 * the asking window, because a modal solver dialog blocks every window but
 * its own. The page is in the interface's language (the resources pick it).
 */
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    /// Opens (or raises) the help of from's window at the page's anchor; an empty page is the top.
    static HelpWindow *open(QWidget *from, const QString &page = QString());

    /// The anchor the help shows.
    QString page() const;

private:
    explicit HelpWindow(QWidget *owner);
    void showPage(const QString &page);

    QTextBrowser *m_browser;
};

#endif // HELPWINDOW_H
