#include "csv_reader.h"

#include <csv.h>

#include <string_view>
#include <utility>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// libcsv trims spaces and tabs around unquoted fields unless told that
// nothing is a space; the rows must come back exactly as they were.
int noSpace(unsigned char)
{
    return 0;
}

} // namespace

CsvReader::CsvReader(LineReader::Source source) : m_source(std::move(source)), m_parser(std::make_unique<csv_parser>())
{
    csv_init(m_parser.get(), 0);
    csv_set_space_func(m_parser.get(), noSpace);
}

CsvReader::~CsvReader()
{
    csv_free(m_parser.get());
}

void CsvReader::endField(void *bytes, std::size_t size, void *data)
{
    auto &reader = *static_cast<CsvReader *>(data);
    if (reader.m_fields == reader.m_row.size())
        reader.m_row.emplace_back();
    // The strings of earlier rows are reused, so a row costs no allocation.
    std::string &field = reader.m_row[reader.m_fields++];
    if (bytes)
        field.assign(static_cast<const char *>(bytes), size);
    else
        field.clear();
}

void CsvReader::endRow(int, void *data)
{
    auto &reader = *static_cast<CsvReader *>(data);
    reader.m_row.resize(reader.m_fields);
    reader.m_fields = 0;
    (*reader.m_onRow)(reader.m_row);
}

bool CsvReader::read(const std::function<void(const Row &)> &onRow)
{
    m_onRow = &onRow;
    std::string block(BlockSize, '\0');
    bool first = true;
    for (;;) {
        std::size_t count = m_source(block.data(), block.size());
        std::string_view bytes(block.data(), count);
        if (first) {
            // Enough bytes to tell whether the mark is there.
            while (count > 0 && bytes.size() < ByteOrderMark.size() && bytes == ByteOrderMark.substr(0, bytes.size())) {
                count = m_source(block.data() + bytes.size(), block.size() - bytes.size());
                bytes = std::string_view(block.data(), bytes.size() + count);
            }
            if (bytes.starts_with(ByteOrderMark))
                bytes.remove_prefix(ByteOrderMark.size());
            first = false;
        }
        if (bytes.empty() && count == 0)
            break;
        if (csv_parse(m_parser.get(), bytes.data(), bytes.size(), endField, endRow, this) != bytes.size())
            return false;
        if (count == 0)
            break;
    }
    csv_fini(m_parser.get(), endField, endRow, this);
    return true;
}
