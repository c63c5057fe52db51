/* A program that only carries a version resource: who made it is read from it. */
int main(void) { return 0; }
