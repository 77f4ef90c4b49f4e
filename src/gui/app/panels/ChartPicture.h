#pragma once

#include <QImage>
#include <QWidget>

// A picture control: shows at most one picture, drawn from its top-left corner at its own size
// when it fits, otherwise scaled down with its proportions kept; never enlarged, never centred.
// Transparent parts of the picture let the parent's background show through.
class ChartPicture : public QWidget
{
public:
    explicit ChartPicture(QWidget *parent = nullptr);

    // Reads the picture at `path` in the format its extension names. On failure throws the
    // open error or the decoder's message and keeps the picture shown before.
    void loadFromFile(const QString &path);

    const QImage &picture() const { return m_picture; }

    // The size a picture is drawn at in a control of the given size.
    static QSize drawnSize(QSize picture, QSize control);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};
