#include "sources/playback/cloudondemand.h"


using namespace Qt::StringLiterals;

QString cloudOnDemandAddress(const QString &serviceBase, const QString &address)
{
    return serviceBase + u"/api.php?ed=1&url="_s + address;
}
