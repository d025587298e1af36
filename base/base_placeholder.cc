// Filled by the base services.
