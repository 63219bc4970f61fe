#pragma once

#include <QLabel>
#include <QUrl>

#include "about/AboutText.h"

// A label drawn as a link: a click anywhere on it (or Enter/Space when it has
// the focus, which it shows with a focus frame) opens its address.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, const QUrl &url, LinkOpener opener, QWidget *parent = nullptr);

    QUrl url() const { return m_url; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QUrl m_url;
    LinkOpener m_opener;
};
