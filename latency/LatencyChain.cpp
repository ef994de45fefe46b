#include "latency/LatencyChain.h"

TLatencyChain::TLatencyChain(QObject* parent) : QObject(parent) {}

int TLatencyChain::insertNetwork()
{
    const int position = FValue.insertNetwork();
    if (position >= 0)
        emit changed(ccInserted, position);
    return position;
}

bool TLatencyChain::removeNetwork(int position)
{
    if (!FValue.removeNetwork(position))
        return false;
    emit changed(ccRemoved, position);
    return true;
}

void TLatencyChain::reset()
{
    FValue.reset();
    emit changed(ccNetworks, -1);
}

void TLatencyChain::replaceNetworks(const std::vector<TNetworkElement>& networks)
{
    FValue.replaceNetworks(networks);
    emit changed(ccNetworks, -1);
}

void TLatencyChain::setElement(int position, const TNetworkElement& element)
{
    if (FValue.setElement(position, element))
        emit changed(ccValues, position);
}

void TLatencyChain::moveElement(int position, TPanelPoint topLeft)
{
    if (FValue.moveElement(position, topLeft))
        emit changed(ccMoved, position);
}

void TLatencyChain::assign(const TChainValue& value)
{
    FValue = value;
    emit changed(ccNetworks, -1);
}
