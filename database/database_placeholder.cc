// Filled by the sync database layer.
