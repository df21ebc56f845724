#include "host/DataInputString.h"

#include <algorithm>

namespace Tarvos::io {

DataInputString::DataInputString(const std::string* source)
    : m_source(source)
{}

boost::intrusive_ptr<DataInputString> DataInputString::Create(const std::string* source)
{
    return boost::intrusive_ptr<DataInputString>(new DataInputString(source));
}

std::size_t DataInputString::Read(char* data, std::size_t size)
{
    if (!m_source || m_position >= m_source->size())
        return 0;
    const std::size_t count = std::min(size, m_source->size() - m_position);
    m_source->copy(data, count, m_position);
    m_position += count;
    return count;
}

} // namespace Tarvos::io
