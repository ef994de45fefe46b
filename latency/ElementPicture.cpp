#include "latency/ElementPicture.h"

namespace {

const char* const pictureNames[networkButtonKindCount] = {
    "OTHER",     // nb56Switched
    "ATM",       // nbATM
    "ATM",       // nbBISDN
    "DQDB",      // nbDQDB
    "ETHERNET",  // nbEthernet
    "FDDI",      // nbFDDI
    "OTHER",     // nbFrameRelay
    "HIPPI",     // nbHIPPI
    "OTHER",     // nbOther
    "SATELLITE", // nbSatellite
    "DQDB",      // nbSMDS
    "TCARRIER",  // nbTCarrier
    "TOKENRING", // nbTokenRing
    "UNKNOWNNETWORK",
    "X25",
    "DESKTOPCPU",
    "TOWERCPU",
};

} // namespace

const char* kindPictureName(TNetworkButtonKind kind)
{
    if (kind >= networkButtonKindCount)
        return pictureNames[nbUnknownNetwork];
    return pictureNames[kind];
}

QString kindPicturePath(TNetworkButtonKind kind)
{
    return QStringLiteral(":/bitmaps/%1.svg").arg(QLatin1String(kindPictureName(kind)));
}
