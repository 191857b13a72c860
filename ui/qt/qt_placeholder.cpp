// Qt layer placeholder until the window lands.
namespace torvex {}
