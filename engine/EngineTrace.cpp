#include "engine/EngineTrace.h"

#include <ctime>

namespace qr {

EngineTrace::EngineTrace()
{
    const QString name = qEnvironmentVariable("QUILVANE_RYN_TRACE");
    if (name.isEmpty())
        return;
    m_file.setFileName(name);
    // Unbuffered: each line is there the moment its event happens.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        qWarning("quilvane-ryn: cannot write the trace to %s", qPrintable(name));
}

void EngineTrace::write(const QByteArray &event)
{
    if (!isOn())
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    m_file.write(QByteArray::number(double(now.tv_sec) + double(now.tv_nsec) / 1e9, 'f', 6) + ' ' + event +
                 '\n');
}

} // namespace qr
