#include "host/DataOutputString.h"

namespace Tarvos::io {

DataOutputString::DataOutputString(std::string* target)
    : m_target(target)
{}

boost::intrusive_ptr<DataOutputString> DataOutputString::Create(std::string* target)
{
    return boost::intrusive_ptr<DataOutputString>(new DataOutputString(target));
}

void DataOutputString::Write(const char* data, std::size_t size)
{
    if (m_target)
        m_target->append(data, size);
}

} // namespace Tarvos::io
