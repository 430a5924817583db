// Keeps the module library non-empty while its rooms are being written.
namespace veld {
int modulePlaceholder() { return 0; }
} // namespace veld
