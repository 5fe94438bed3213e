// Draws the toolbar and main-window pictures as PNG files. Run once when the
// pictures change; the PNGs are committed and compiled in as resources.
//
//     draw_icons data/icons

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>

namespace {

const QColor kGreen(46, 125, 91), kRed(198, 57, 57), kBlue(41, 98, 170), kGold(230, 170, 40),
    kGray(90, 96, 104), kLight(245, 245, 245);

void arrow(QPainter& p, QPointF from, QPointF to, QColor c, qreal w = 5) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    QLineF l(to, from);
    qreal angle = std::atan2(-l.dy(), l.dx());
    qreal s = 9;
    QPointF a = to + QPointF(std::sin(angle + M_PI / 3) * s, std::cos(angle + M_PI / 3) * s);
    QPointF b =
        to + QPointF(std::sin(angle + M_PI - M_PI / 3) * s, std::cos(angle + M_PI - M_PI / 3) * s);
    p.drawLine(to, a);
    p.drawLine(to, b);
}

void coin(QPainter& p, QRectF r) {
    p.setPen(QPen(kGold.darker(140), 2));
    p.setBrush(kGold);
    p.drawEllipse(r);
    p.setPen(QPen(kGold.darker(160), 2));
    QFont f;
    f.setPixelSize(static_cast<int>(r.height() * 0.6));
    f.setBold(true);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("¥"));
}

void card(QPainter& p, QRectF r, QColor c, bool stripe) {
    p.setPen(QPen(c.darker(140), 2));
    p.setBrush(c);
    p.drawRoundedRect(r, 4, 4);
    if (stripe) {
        p.fillRect(QRectF(r.left() + 1, r.top() + r.height() * 0.25, r.width() - 2, 6),
                   QColor(40, 40, 40));
    }
    p.fillRect(QRectF(r.left() + 6, r.bottom() - 12, 10, 6), kGold);
}

void calendar(QPainter& p, QColor head) {
    p.setPen(QPen(kGray, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 9, 36, 33), 3, 3);
    p.fillRect(QRectF(7, 10, 34, 9), head);
    p.setPen(QPen(kGray, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 5), QPointF(15, 13));
    p.drawLine(QPointF(33, 5), QPointF(33, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            p.drawRect(QRectF(10 + c * 8, 22 + r * 6, 5, 4));
        }
    }
}

void person(QPainter& p, QPointF at, qreal s, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(at.x() - s * 0.3, at.y(), s * 0.6, s * 0.6));
    QPainterPath body;
    body.addRoundedRect(QRectF(at.x() - s * 0.5, at.y() + s * 0.7, s, s * 0.8), s * 0.35, s * 0.35);
    p.drawPath(body);
}

void document(QPainter& p, QColor c, bool plus) {
    p.setPen(QPen(kGray, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 5, 26, 36));
    p.setPen(QPen(QColor(180, 180, 180), 2));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(14, 13 + i * 6), QPointF(30, 13 + i * 6));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(24, 24, 20, 20));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(29, 34), QPointF(39, 34));
    if (plus) {
        p.drawLine(QPointF(34, 29), QPointF(34, 39));
    }
}

const std::map<QString, std::function<void(QPainter&)>>& painters() {
    static const std::map<QString, std::function<void(QPainter&)>> m = {
        {"app",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
             coin(p, QRectF(11, 11, 26, 26));
         }},
        {"family",
         [](QPainter& p) {
             person(p, QPointF(17, 8), 20, kBlue);
             person(p, QPointF(32, 12), 17, kRed);
             person(p, QPointF(24, 24), 12, kGreen);
         }},
        {"accounts",
         [](QPainter& p) {
             p.setPen(QPen(kGreen.darker(150), 2));
             p.setBrush(kGreen);
             p.drawRoundedRect(QRectF(5, 12, 38, 28), 5, 5);
             p.setBrush(kGreen.lighter(130));
             p.drawRoundedRect(QRectF(26, 20, 17, 12), 3, 3);
             p.setBrush(kGold);
             p.drawEllipse(QRectF(31, 23, 6, 6));
             p.setPen(QPen(kGreen.darker(150), 2));
             p.drawLine(QPointF(9, 12), QPointF(30, 5));
         }},
        {"income",
         [](QPainter& p) {
             coin(p, QRectF(4, 14, 28, 28));
             arrow(p, QPointF(38, 40), QPointF(38, 8), kGreen);
         }},
        {"expense",
         [](QPainter& p) {
             coin(p, QRectF(4, 14, 28, 28));
             arrow(p, QPointF(38, 8), QPointF(38, 40), kRed);
         }},
        {"transfer",
         [](QPainter& p) {
             arrow(p, QPointF(6, 16), QPointF(42, 16), kBlue);
             arrow(p, QPointF(42, 32), QPointF(6, 32), kGreen);
         }},
        {"debt", [](QPainter& p) { document(p, kRed, false); }},
        {"credit", [](QPainter& p) { document(p, kGreen, true); }},
        {"investment",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             const QColor cs[3] = {kBlue.lighter(140), kBlue, kBlue.darker(130)};
             for (int i = 0; i < 3; ++i) {
                 p.setBrush(cs[i]);
                 p.drawRect(QRectF(7 + i * 12, 34 - i * 10, 9, 8 + i * 10));
             }
             arrow(p, QPointF(6, 26), QPointF(40, 6), kRed, 3);
         }},
        {"plan_new",
         [](QPainter& p) {
             calendar(p, kBlue);
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawEllipse(QRectF(26, 26, 20, 20));
             p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(31, 36), QPointF(41, 36));
             p.drawLine(QPointF(36, 31), QPointF(36, 41));
         }},
        {"plan_view",
         [](QPainter& p) {
             calendar(p, kBlue);
             p.setPen(QPen(kGray, 3));
             p.setBrush(QColor(255, 255, 255, 200));
             p.drawEllipse(QRectF(24, 24, 14, 14));
             p.setPen(QPen(kGray, 4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(36, 36), QPointF(44, 44));
         }},
        {"plan_today",
         [](QPainter& p) {
             calendar(p, kRed);
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             p.drawRect(QRectF(18, 28, 5, 4));
         }},
        {"statistics",
         [](QPainter& p) {
             QRectF r(5, 5, 38, 38);
             p.setPen(QPen(Qt::white, 1));
             p.setBrush(kBlue);
             p.drawPie(r, 90 * 16, 200 * 16);
             p.setBrush(kGreen);
             p.drawPie(r, 290 * 16, 100 * 16);
             p.setBrush(kGold);
             p.drawPie(r, 30 * 16, 60 * 16);
         }},
        {"help",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(5, 5, 38, 38));
             p.setPen(Qt::white);
             QFont f;
             f.setPixelSize(28);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(5, 5, 38, 38), Qt::AlignCenter, QStringLiteral("?"));
         }},
        {"home",
         [](QPainter& p) {
             QPainterPath roof;
             roof.moveTo(24, 5);
             roof.lineTo(44, 23);
             roof.lineTo(4, 23);
             roof.closeSubpath();
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             p.drawPath(roof);
             p.setBrush(kLight.darker(105));
             p.setPen(QPen(kGray, 2));
             p.drawRect(QRectF(10, 22, 28, 20));
             p.setBrush(kGreen);
             p.drawRect(QRectF(20, 30, 8, 12));
         }},
        {"cash",
         [](QPainter& p) {
             p.setPen(QPen(kGreen.darker(150), 2));
             p.setBrush(kGreen.lighter(150));
             p.drawRect(QRectF(4, 13, 40, 22));
             coin(p, QRectF(16, 15, 18, 18));
         }},
        {"bankcard", [](QPainter& p) { card(p, QRectF(4, 10, 40, 28), kBlue, false); }},
        {"creditcard", [](QPainter& p) { card(p, QRectF(4, 10, 40, 28), kRed, true); }},
        {"ewallet",
         [](QPainter& p) {
             p.setPen(QPen(kGray, 2));
             p.setBrush(QColor(60, 60, 70));
             p.drawRoundedRect(QRectF(13, 3, 22, 42), 4, 4);
             p.setBrush(kBlue.lighter(150));
             p.drawRect(QRectF(16, 8, 16, 28));
             coin(p, QRectF(18, 14, 12, 12));
         }},
        {"other",
         [](QPainter& p) {
             p.setPen(QPen(QColor(140, 100, 50), 2));
             p.setBrush(QColor(214, 170, 110));
             p.drawRect(QRectF(7, 16, 34, 26));
             p.setBrush(QColor(190, 145, 90));
             p.drawRect(QRectF(5, 10, 38, 8));
             coin(p, QRectF(17, 22, 14, 14));
         }},
    };
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (const auto& [name, paint] : painters()) {
        QPixmap pm(48, 48);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
        p.end();
        pm.save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    return 0;
}
