#include "finance/tdm.h"

#include "db/tablecache.h"

namespace lx::finance {

TDM *DM = nullptr;

TDM::TDM(QObject *parent)
    : ui::DataModule(QStringLiteral("TOSTARA"), parent),
      TBGASTO(addTable(QStringLiteral("TGASTO"), QStringLiteral("TBGASTO"))),
      TBRECEBIMENTO(addTable(QStringLiteral("TRECEBIMENTO"), QStringLiteral("TBRECEBIMENTO"))),
      TBCAIXAMES(addTable(QStringLiteral("TCAIXAMES"), QStringLiteral("TBCAIXAMES"))),
      TBTIPOGASTO(addTable(QStringLiteral("TTIPOGASTO"), QStringLiteral("TBTIPOGASTO"))),
      TBTIPOREC(addTable(QStringLiteral("TTIPORECEB"), QStringLiteral("TBTIPOREC"))),
      TBCONTPAG(addTable(QStringLiteral("TCONTPAG"), QStringLiteral("TBCONTPAG"))),
      TBCONTA(addTable(QStringLiteral("TCONTA"), QStringLiteral("TBCONTA"))),
      DSGASTO(addSource(TBGASTO, QStringLiteral("DSGASTO"))),
      DSRECEBIMENTO(addSource(TBRECEBIMENTO, QStringLiteral("DSRECEBIMENTO"))),
      DSCAIXAMES(addSource(TBCAIXAMES, QStringLiteral("DSCAIXAMES"))),
      DSTIPOGASTO(addSource(TBTIPOGASTO, QStringLiteral("DSTIPOGASTO"))),
      DSTIPOREC(addSource(TBTIPOREC, QStringLiteral("DSTIPOREC"))),
      DSCONTPAG(addSource(TBCONTPAG, QStringLiteral("DSCONTPAG"))),
      DSCONTA(addSource(TBCONTA, QStringLiteral("DSCONTA")))
{
    setObjectName(QStringLiteral("DM"));
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
}

TDM::~TDM()
{
    if (DM == this)
        DM = nullptr;
}

QString TDM::DataModuleCreate(const QString &aliasFile, const QString &programFolder)
{
    return setUp(aliasFile, programFolder);
}

} // namespace lx::finance
