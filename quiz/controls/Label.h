#pragma once

#include <QLabel>

#include <optional>

namespace vortana {

// A caption on the window. It keeps its caption exactly as set (line breaks
// included) and shows it as plain text, never as markup. Labels that fit their
// text grow and shrink with it while their top-left corner stays put.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent = nullptr);

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

    void setAutoSize(bool autoSize);
    void setBorder(bool border);
    void setForeColor(const QColor &color);
    // No back colour leaves the label transparent over what lies below.
    void setBackColor(std::optional<QColor> color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();

    QString m_caption;
    bool m_autoSize = false;
    bool m_border = false;
};

} // namespace vortana
