#include "finance/tdm.h"

#include "db/tablecache.h"
#include "ui/datasource.h"
#include "ui/guard.h"

#include <QWidget>

namespace lx::finance {

TDM *DM = nullptr;

TDM::TDM(const QString &programFolder, QObject *parent)
    : TDM(defaultAliasFile(), programFolder, parent)
{}

TDM::TDM(const QString &aliasFile, const QString &programFolder, QObject *parent)
    : QObject(parent), TBGASTO(new TableCache(&SQLConnection1, QStringLiteral("TGASTO"), this)),
      TBRECEBIMENTO(new TableCache(&SQLConnection1, QStringLiteral("TRECEBIMENTO"), this)),
      TBCAIXAMES(new TableCache(&SQLConnection1, QStringLiteral("TCAIXAMES"), this)),
      TBTIPOGASTO(new TableCache(&SQLConnection1, QStringLiteral("TTIPOGASTO"), this)),
      TBTIPOREC(new TableCache(&SQLConnection1, QStringLiteral("TTIPORECEB"), this)),
      TBCONTPAG(new TableCache(&SQLConnection1, QStringLiteral("TCONTPAG"), this)),
      TBCONTA(new TableCache(&SQLConnection1, QStringLiteral("TCONTA"), this)),
      DSGASTO(new ui::DataSource(TBGASTO, this)),
      DSRECEBIMENTO(new ui::DataSource(TBRECEBIMENTO, this)),
      DSCAIXAMES(new ui::DataSource(TBCAIXAMES, this)),
      DSTIPOGASTO(new ui::DataSource(TBTIPOGASTO, this)),
      DSTIPOREC(new ui::DataSource(TBTIPOREC, this)),
      DSCONTPAG(new ui::DataSource(TBCONTPAG, this)), DSCONTA(new ui::DataSource(TBCONTA, this))
{
    setObjectName(QStringLiteral("DM"));
    TBGASTO->setObjectName(QStringLiteral("TBGASTO"));
    TBRECEBIMENTO->setObjectName(QStringLiteral("TBRECEBIMENTO"));
    TBCAIXAMES->setObjectName(QStringLiteral("TBCAIXAMES"));
    TBTIPOGASTO->setObjectName(QStringLiteral("TBTIPOGASTO"));
    TBTIPOREC->setObjectName(QStringLiteral("TBTIPOREC"));
    TBCONTPAG->setObjectName(QStringLiteral("TBCONTPAG"));
    TBCONTA->setObjectName(QStringLiteral("TBCONTA"));
    DSGASTO->setObjectName(QStringLiteral("DSGASTO"));
    DSRECEBIMENTO->setObjectName(QStringLiteral("DSRECEBIMENTO"));
    DSCAIXAMES->setObjectName(QStringLiteral("DSCAIXAMES"));
    DSTIPOGASTO->setObjectName(QStringLiteral("DSTIPOGASTO"));
    DSTIPOREC->setObjectName(QStringLiteral("DSTIPOREC"));
    DSCONTPAG->setObjectName(QStringLiteral("DSCONTPAG"));
    DSCONTA->setObjectName(QStringLiteral("DSCONTA"));

    const QString tgaCodigo = QStringLiteral("TGACODIGO");
    const QString tgaDescricao = QStringLiteral("TGADESCRICAO");
    TBGASTO->addLookup(QStringLiteral("tipo"), QStringLiteral("GASTIPO"), TBTIPOGASTO, tgaCodigo,
                       tgaDescricao);
    TBRECEBIMENTO->addLookup(QStringLiteral("tiporec"), QStringLiteral("RECTIPO"), TBTIPOREC,
                             QStringLiteral("TRECODIGO"), QStringLiteral("TREDESCRICAO"));
    TBCONTPAG->addLookup(QStringLiteral("tipo"), QStringLiteral("CPATIPO"), TBTIPOGASTO, tgaCodigo,
                         tgaDescricao);
    TBCONTA->addLookup(QStringLiteral("tipoconta"), QStringLiteral("CONTIPO"), TBTIPOGASTO,
                       tgaCodigo, tgaDescricao);

    DM = this;
    DataModuleCreate(aliasFile, programFolder);
}

TDM::~TDM()
{
    if (DM == this)
        DM = nullptr;
    // The data sources go before their caches, the caches before the connection.
    for (ui::DataSource *d :
         {DSGASTO, DSRECEBIMENTO, DSCAIXAMES, DSTIPOGASTO, DSTIPOREC, DSCONTPAG, DSCONTA})
        delete d;
    for (TableCache *c :
         {TBGASTO, TBRECEBIMENTO, TBCAIXAMES, TBTIPOGASTO, TBTIPOREC, TBCONTPAG, TBCONTA})
        delete c;
}

void TDM::DataModuleCreate(const QString &aliasFile, const QString &programFolder)
{
    ui::guard(qobject_cast<QWidget *>(parent()),
              [&] { SQLConnection1.setUp(aliasFile, programFolder); });
}

} // namespace lx::finance
