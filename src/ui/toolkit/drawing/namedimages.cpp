#include "toolkit/drawing/namedimages.h"

#include "foundation/diagnostics.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSet>
#include <QSvgRenderer>

namespace {

const QString kFolder = QStringLiteral(":/ui/images/");
constexpr int kThemeSide = 32; // a theme icon has no size of its own

// The pictures whose meaning the freedesktop naming scheme has an icon for. The schedule, account
// and payment-means pictures have none: their colours carry meaning across the program's lists.
const QHash<QString, QString>& themeNames()
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("DD"), QStringLiteral("document-save")},
        {QStringLiteral("information"), QStringLiteral("dialog-information")},
        {QStringLiteral("conflict"), QStringLiteral("dialog-warning")},
        {QStringLiteral("cadenas"), QStringLiteral("object-locked")},
        {QStringLiteral("cadenas_open"), QStringLiteral("object-unlocked")},
        {QStringLiteral("imprimante"), QStringLiteral("document-print")},
        {QStringLiteral("loupe"), QStringLiteral("system-search")},
        {QStringLiteral("calendrier"), QStringLiteral("x-office-calendar")},
        {QStringLiteral("dupliquer"), QStringLiteral("edit-copy")},
        {QStringLiteral("nav_down"), QStringLiteral("go-down")},
    };
    return names;
}

// Once per name: a list asks again at every repaint.
void reportUnknown(const QString& name)
{
    static QSet<QString> reported;
    if (reported.contains(name))
        return;
    reported.insert(name);
    svLog(QStringLiteral("no picture named \"%1\"").arg(name));
}

// The theme's icon standing for the picture when the desktop theme has it. Looking an icon up
// reads the theme's folders, so the answer is kept for each theme.
QString themeIconName(const QString& name)
{
    const QString theme = namedImageThemeName(name);
    if (theme.isEmpty())
        return {};
    static QHash<QString, bool> found;
    const QString key = QIcon::themeName() + u'/' + theme;
    auto known = found.constFind(key);
    if (known == found.constEnd())
        known = found.insert(key, QIcon::hasThemeIcon(theme));
    return *known ? theme : QString();
}

QSize naturalSize(const QString& path)
{
    if (path.endsWith(QLatin1String(".svg")))
        return QSvgRenderer(path).defaultSize();
    return QPixmap(path).size();
}

QPixmap drawn(const QString& path, const QSize& logical, qreal devicePixelRatio)
{
    const QSize device = (QSizeF(logical) * devicePixelRatio).toSize();
    if (device.isEmpty())
        return {};
    QPixmap picture;
    if (path.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        picture = QPixmap(device);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        renderer.render(&painter);
    } else {
        picture = QPixmap(path).scaled(device, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QPixmap fromTheme(const QString& theme, int side, qreal devicePixelRatio)
{
    const int logical = side > 0 ? side : kThemeSide;
    return QIcon::fromTheme(theme).pixmap(QSize(logical, logical), devicePixelRatio);
}

} // namespace

QString namedImagePath(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'.'))
        return QFile::exists(kFolder + name) ? kFolder + name : QString();
    for (const QLatin1String extension : {QLatin1String(".svg"), QLatin1String(".png")}) {
        if (QFile::exists(kFolder + name + extension))
            return kFolder + name + extension;
    }
    return {};
}

QString namedImageThemeName(const QString& name)
{
    return themeNames().value(name);
}

QIcon namedImageIcon(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString path = namedImagePath(name);
    const QString theme = themeIconName(name);
    if (path.isEmpty() && theme.isEmpty()) {
        reportUnknown(name);
        return {};
    }
    const QIcon own = path.isEmpty() ? QIcon() : QIcon(path);
    return theme.isEmpty() ? own : QIcon::fromTheme(theme, own);
}

QPixmap namedImagePixmap(const QString& name, int side, qreal devicePixelRatio)
{
    if (name.isEmpty())
        return {};
    const QString theme = themeIconName(name);
    const QString path = theme.isEmpty() ? namedImagePath(name) : QString();
    if (theme.isEmpty() && path.isEmpty()) {
        reportUnknown(name);
        return {};
    }
    const QString source = theme.isEmpty() ? path : QIcon::themeName() + u'/' + theme;
    const QString key = QStringLiteral("sorv-image:%1:%2:%3").arg(source).arg(side).arg(devicePixelRatio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    if (!theme.isEmpty()) {
        picture = fromTheme(theme, side, devicePixelRatio);
    } else {
        const QSize natural = naturalSize(path);
        picture = drawn(path, side > 0 ? natural.scaled(side, side, Qt::KeepAspectRatio) : natural, devicePixelRatio);
    }
    if (!picture.isNull())
        QPixmapCache::insert(key, picture);
    return picture;
}

QStringList shippedImageNames()
{
    QStringList names;
    for (const QString& file : QDir(kFolder).entryList(QDir::Files, QDir::Name))
        names.append(file.section(u'.', 0, 0));
    return names;
}
