#pragma once
// A panel in the classic desktop style: an outer and an inner bevel around a border, an optional
// single border line and a caption. Its contents margins follow the bevels, so a layout set on
// it, or contentRect(), places children inside them.

#include <QColor>
#include <QFont>
#include <QWidget>

namespace pensilio::widgets {

class BevelPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Bevel
    {
        None,
        Raised,
        Lowered,
        Space
    };

    explicit BevelPanel(QWidget *parent = nullptr);

    void setOuterBevel(Bevel bevel, int width = 1);
    void setInnerBevel(Bevel bevel, int width = 1);
    Bevel outerBevel() const { return m_outer; }
    Bevel innerBevel() const { return m_inner; }
    int outerBevelWidth() const { return m_outerWidth; }
    int innerBevelWidth() const { return m_innerWidth; }

    // Space in the panel's colour between the outer and the inner bevel.
    void setBorderWidth(int width);
    int borderWidth() const { return m_borderWidth; }
    // A one-pixel frame line outside the bevels.
    void setSingleBorder(bool on);
    bool singleBorder() const { return m_singleBorder; }

    // The panel's colour: a palette role that follows the desktop's scheme, or a fixed colour.
    void setColorRole(QPalette::ColorRole role);
    void setColor(const QColor &color);
    QColor color() const;

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }
    // The caption's own font; by default the panel's font. It is not passed on to children.
    void setCaptionFont(const QFont &font);
    QFont captionFont() const;
    void setCaptionColorRole(QPalette::ColorRole role);
    void setCaptionColor(const QColor &color);
    QColor captionColor() const;
    void setCaptionAlignment(Qt::Alignment alignment);
    Qt::Alignment captionAlignment() const { return m_captionAlignment; }

    // Inside the single border, the bevels and the border width, in the panel's coordinates.
    QRect contentRect() const { return contentsRect(); }
    int frameWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateFrame();

    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_outerWidth = 1;
    int m_innerWidth = 1;
    int m_borderWidth = 0;
    bool m_singleBorder = false;
    QPalette::ColorRole m_colorRole = QPalette::Button;
    QColor m_color;
    QString m_caption;
    QFont m_captionFont;
    bool m_hasCaptionFont = false;
    QPalette::ColorRole m_captionRole = QPalette::ButtonText;
    QColor m_captionColor;
    Qt::Alignment m_captionAlignment = Qt::AlignCenter;
};

} // namespace pensilio::widgets
