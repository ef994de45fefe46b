#pragma once

#include <QByteArray>
#include <QString>

// The path-performance window's inputs between runs, in a file of its own
// beside the program's settings (~/.config/Qorvel Group/Zentrix Path
// Performance.conf): the fields as typed, the stack as the command line
// writes it, the tab shown under the figures, and the window's size and place.
struct TRememberedPath
{
    bool UseChain = true;
    QString Bandwidth = QStringLiteral("100");
    QString RoundTrip = QStringLiteral("20");
    int Mtu = 1500;
    int IpVersion = 4;
    bool Timestamps = false;
    QString Window = QStringLiteral("65535");
    bool Scaling = true;
    QString Loss = QStringLiteral("0");
    QString Size = QStringLiteral("1 GB");
    QString Stack;
    int Plot = 0;
    QByteArray Geometry;

    static QString storeFileName();

    // Reads the store; a value of the wrong kind or out of range keeps its
    // default. A store that cannot be read is set aside as
    // "<file>.unreadable" and EZentrixError says so; the window then starts
    // with the defaults.
    static TRememberedPath load();
    // Raises EZentrixError when the store cannot be written.
    void save() const;
};
