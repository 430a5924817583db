// veld: the host executable. Replaced by the runner.
int main() { return 0; }
