#include "AppUpdateLink.h"

#include "TamoAppUpdate.h"

TAppUpdateLink::TAppUpdateLink(const QString &aAppName, const QString &aHttpIniPath, QObject *aMainForm)
    : FUpdate(std::make_unique<TAppUpdate>(aAppName, aHttpIniPath, QString()))
{
    FUpdate->FMainForm = aMainForm;
}

TAppUpdateLink::~TAppUpdateLink() = default;

void TAppUpdateLink::Aktualizace()
{
    FUpdate->Aktualizace();
}

int TAppUpdateLink::PocetDniOdNoveVerze()
{
    return FUpdate->PocetDniOdNoveVerze();
}

void TAppUpdateLink::AktualizaceParalel(bool aNormalne)
{
    FUpdate->AktualizaceParalel(aNormalne);
}

void TAppUpdateLink::StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit)
{
    FUpdate->StahnoutASpustitAktualizaci(aVcetneDotazu, aVynutit);
}

AppUpdateFactory DefaultAppUpdateFactory()
{
    return [](const QString &aAppName, QObject *aMainForm) -> std::unique_ptr<IAppUpdate> {
        return std::make_unique<TAppUpdateLink>(aAppName, UpdateDescriptorUrl(), aMainForm);
    };
}
