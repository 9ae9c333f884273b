#include "output_buffer.h"

#include <utility>

OutputBuffer::OutputBuffer(Sink sink) : m_sink(std::move(sink))
{
    m_bytes.reserve(BlockSize * 2);
}

OutputBuffer::~OutputBuffer()
{
    flush();
}

void OutputBuffer::flush()
{
    if (!m_failed && !m_bytes.empty())
        m_failed = !m_sink(m_bytes);
    m_bytes.clear();
}
