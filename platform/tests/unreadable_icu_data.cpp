// Stands in for ICU's data library, with bytes that are not ICU data: ICU
// then answers every request from its built-in fallbacks, as it does on a
// machine whose ICU data is damaged.

extern "C" {
extern const unsigned char NIC_ICU_DATA_SYMBOL[];
const unsigned char NIC_ICU_DATA_SYMBOL[64] = {};
}
